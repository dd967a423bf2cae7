// The desktop's real clock: it never makes up for lost time with a burst of ticks, whether the
// program was stopped, a window was being dragged, or a handler held the event loop.

#include "forms/desktop_clock.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>
#include <thread>

#include "game/platform.h"
#include "game/timers.h"

namespace {

class QuietPlatform : public zarb::Platform {
  public:
    void showMessage(const std::string&, const std::string&) override {}
    double timeOfDayMs() const override { return 0; }
};

// The desktop clock ticking a timer service with no window, counting its ticks.
struct CountedClock {
    QuietPlatform platform;
    zarb::Clock simulated;
    zarb::TimerService timers{simulated, platform};
    int ticks = 0;
    zarb::forms::DesktopClock clock{timers, platform, [this] { ++ticks; }};

    CountedClock() { clock.start(); }
};

}  // namespace

class DesktopClockTest : public QObject {
    Q_OBJECT

  private slots:
    // Only upper bounds: a busy machine can make fewer ticks, never more than real time allows.
    void aStallIsFollowedByTicksAtTheUsualPaceWithNoBurst() {
        CountedClock counted;
        const int& ticks = counted.ticks;
        QTest::qWait(200);

        const int beforeStall = ticks;
        QElapsedTimer sinceStall;
        QTimer::singleShot(0, [&] {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            sinceStall.start();
        });
        QTRY_VERIFY(sinceStall.isValid());
        QTest::qWait(500);
        const double msSinceStall = double(sinceStall.elapsed());
        const int afterStall = ticks - beforeStall;
        // 64 ticks a second for the time since the stall, and at most one due when it ended.
        QVERIFY2(afterStall <= int(msSinceStall / zarb::TimerService::kTickMs) + 2,
                 qPrintable(QString("%1 ticks in the %2 ms after a stall of a second")
                                .arg(afterStall)
                                .arg(msSinceStall)));
        QVERIFY(afterStall > 0);
    }

    void theClockStopsOnceTheProgramHasEnded() {
        CountedClock counted;
        const int& ticks = counted.ticks;
        QTRY_VERIFY(ticks > 0);
        counted.platform.endProgram();
        QTest::qWait(50);
        const int atTheEnd = ticks;
        QTest::qWait(200);
        QCOMPARE(ticks, atTheEnd);
    }
};

QTEST_MAIN(DesktopClockTest)
#include "desktop_clock_test.moc"
