// The desktop's real clock ticks the game window's timers, sleeps while none is enabled, wakes
// when the game window comes with its paddles' timers, and stops once the program has ended.

#include "forms/desktop_clock.h"

#include <QtTest>

#include "game/program.h"
#include "game/simulated_platform.h"

namespace {

// The desktop clock ticking the game window's timers (the paddles' are enabled from the start).
struct CountedClock {
    zarb::Clock gameClock;
    zarb::SimulatedPlatform platform{gameClock};
    zarb::Program program{platform, gameClock};
    int ticks = 0;
    zarb::forms::DesktopClock clock{program, [this] { ++ticks; }};

    CountedClock() {
        program.loadZarb();
        clock.start();
    }
};

}  // namespace

class DesktopClockTest : public QObject {
    Q_OBJECT

  private slots:
    // Paused, nothing can fire: the clock must not wake the program until a timer is enabled.
    // When each tick is due, after a stall or a sleep, is the rules' RealClock's to say.
    void whileNoTimerIsEnabledTheClockSleepsUntilOneIs() {
        CountedClock counted;
        zarb::ZarbWindow& zarb = *counted.program.zarb();
        QTRY_VERIFY(counted.ticks > 0);
        zarb.mnuPause_Click();
        QTest::qWait(50);
        QVERIFY(!counted.clock.running());
        const int paused = counted.ticks;
        QTest::qWait(100);
        QCOMPARE(counted.ticks, paused);
        zarb.mnuPause_Click();
        QTRY_VERIFY(counted.ticks > paused);
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
