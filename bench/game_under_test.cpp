#include "bench/game_under_test.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

#include "bench/desktop_measure.h"

namespace zarb::bench {

void GameUnderTest::start() {
    program.start();
    realClock.start();
}

void GameUnderTest::pressPlay() {
    splash().findChild<QPushButton*>("cmdPlay")->click();
}

void GameUnderTest::choose(const char* name) {
    window().findChild<QAction*>(name)->trigger();
}

void GameUnderTest::press(int key, bool down) {
    QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&window(), &event);
}

void GameUnderTest::onTick() {
    ++ticks;
    const double tickMs = nowMs();
    const double cpuStart = threadCpuMs();
    platform.refreshWindows();
    lastRefreshCpuMs = threadCpuMs() - cpuStart;
    lastTickMs = tickMs;
    if (afterTick && program.zarb() != nullptr) {
        afterTick();
    }
}

}  // namespace zarb::bench
