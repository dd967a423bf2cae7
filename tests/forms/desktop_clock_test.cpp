// The desktop's real clock: it never makes up for lost time with a burst of ticks, whether the
// program was stopped, a window was being dragged, or a handler held the event loop; and it
// sleeps while no timer is enabled.

#include "forms/desktop_clock.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "game/program.h"
#include "game/simulated_platform.h"
#include "game/timers.h"

namespace {

using Steady = std::chrono::steady_clock;

double msSince(Steady::time_point from, Steady::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The desktop clock ticking the game window's timers (the paddles' are enabled from the start),
// noting when each tick ended.
struct CountedClock {
    zarb::Clock gameClock;
    zarb::SimulatedPlatform platform{gameClock};
    zarb::Program program{platform, gameClock};
    std::vector<Steady::time_point> tickTimes;
    int ticks = 0;
    zarb::forms::DesktopClock clock{program, [this] {
                                        ++ticks;
                                        tickTimes.push_back(Steady::now());
                                    }};

    CountedClock() {
        program.loadZarb();
        clock.start();
    }
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

    // Paused, nothing can fire: the clock must not wake the program. Resumed halfway between two
    // ticks, it ticks again on the grid it had before, not a whole tick after the resume.
    void whileNoTimerIsEnabledTheClockSleepsThenWakesOnItsGrid() {
        CountedClock counted;
        zarb::ZarbWindow& zarb = *counted.program.zarb();
        const double tick = zarb::TimerService::kTickMs;
        // Ticks come a little after their grid points: the least late of a few shows the grid.
        QTRY_VERIFY(counted.ticks >= 10);
        const Steady::time_point first = counted.tickTimes.front();
        double earliest = 0;
        for (const Steady::time_point& at : counted.tickTimes) {
            earliest = std::min(earliest, std::remainder(msSince(first, at), tick));
        }
        const Steady::time_point grid =
            first + std::chrono::duration_cast<Steady::duration>(
                        std::chrono::duration<double, std::milli>(earliest));

        bool onGrid = false;
        // A busy machine can make a tick late; one of a few on the grid is enough.
        for (int attempt = 0; attempt < 5 && !onGrid; ++attempt) {
            zarb.mnuPause_Click();
            QTest::qWait(100);
            QVERIFY(!counted.clock.running());
            const int paused = counted.ticks;
            QTest::qWait(100);
            QCOMPARE(counted.ticks, paused);

            // Halfway between two points of the grid.
            const double now = msSince(grid, Steady::now());
            const double resumeAt = (std::floor(now / tick) + 1.5) * tick;
            std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(resumeAt - now));
            zarb.mnuPause_Click();
            QTRY_VERIFY(counted.ticks > paused);

            const double firstAfter = msSince(grid, counted.tickTimes[paused]);
            const double phase = std::remainder(firstAfter, tick);
            onGrid = phase > -1 && phase < 4;
            if (!onGrid) {
                qWarning("the first tick after the resume came %.2f ms after a point of the grid",
                         std::fmod(firstAfter, tick));
            }
        }
        QVERIFY(onGrid);
    }

    // The splash has no timer, so the clock sleeps; the game window comes with its paddles'
    // timers enabled, and PLAY! must wake the clock for them, or the paddles stand still
    // until a match is started.
    void aClockAsleepOnTheSplashTicksOncePlayIsPressed() {
        zarb::Clock gameClock;
        zarb::SimulatedPlatform platform{gameClock};
        zarb::Program program{platform, gameClock};
        int ticks = 0;
        zarb::forms::DesktopClock clock{program, [&ticks] { ++ticks; }};
        program.start();
        clock.start();
        QVERIFY(!clock.running());
        program.cmdPlay_Click();
        QTRY_VERIFY(ticks > 0);
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
