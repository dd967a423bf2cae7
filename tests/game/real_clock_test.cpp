// The real clock's pace, as the desktop and the web page keep it: a tick on every deadline, on
// time within half a millisecond, no burst after a stall, and no wake-up while nothing can fire.

#include "game/real_clock.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/program.h"
#include "game/simulated_platform.h"
#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

// The game window loaded, its paddle timers running, and a real clock started at 0 ms.
struct PacedProgram {
    PacedProgram() {
        program.loadZarb();
        pace.start(0);
    }
    Clock clock;
    SimulatedPlatform platform{clock};
    Program program{platform, clock};
    RealClock pace{program};
};

struct WakeRow {
    const char* name;
    std::vector<double> wakes;  // the times the clock is woken at, in ms
    int wantTicks;
    double wantDeadline;
    int wantWait;  // from the last wake
};
using RealClockWakes = ::testing::TestWithParam<WakeRow>;

TEST_P(RealClockWakes, TickOnTheirDeadlines) {
    const WakeRow& row = GetParam();
    PacedProgram paced;
    int ticks = 0;
    for (double now : row.wakes) {
        ticks += paced.pace.due(now) ? 1 : 0;
    }
    EXPECT_EQ(ticks, row.wantTicks);
    EXPECT_DOUBLE_EQ(paced.pace.deadlineMs(), row.wantDeadline);
    EXPECT_EQ(paced.pace.waitMs(row.wakes.back()), row.wantWait);
}

const WakeRow kWakeRows[] = {
    {"a wake at the deadline ticks", {15.625}, 1, 31.25, 16},
    {"a wake half a millisecond early is on time", {15.125}, 1, 31.25, 16},
    {"a wake more than half a millisecond early waits", {15.124}, 0, 15.625, 1},
    {"a wake a millisecond late keeps the grid", {16.625}, 1, 31.25, 15},
    {"ticks on every deadline keep the grid", {15.625, 31.25, 46.875}, 3, 62.5, 16},
    {"a stall drops the missed ticks", {1015.625}, 1, 1031.25, 16},
    {"after a stall the grid starts afresh", {1000, 1015.625}, 2, 1031.25, 16},
    {"a wake long past its deadline waits for nothing", {15.125, 40}, 2, 46.875, 7},
};
INSTANTIATE_TEST_SUITE_P(Rows, RealClockWakes, ::testing::ValuesIn(kWakeRows), rowName<WakeRow>);

TEST(RealClock, SleepsWhileNoTimerIsEnabledAndResumesOnItsGrid) {
    PacedProgram paced;
    ZarbWindow& w = *paced.program.zarb();
    w.mnuPause_Click();
    EXPECT_FALSE(paced.pace.needed());
    EXPECT_FALSE(paced.pace.due(15.625));
    // Resumed halfway between two points of the grid, it ticks on the next of them.
    w.mnuPause_Click();
    paced.pace.resume(100);
    EXPECT_DOUBLE_EQ(paced.pace.deadlineMs(), 109.375);
    EXPECT_TRUE(paced.pace.due(109.375));
}

TEST(RealClock, NeedsNoTicksOnceTheProgramHasEnded) {
    PacedProgram paced;
    paced.program.zarb()->mnuExit_Click();
    EXPECT_FALSE(paced.pace.needed());
    EXPECT_FALSE(paced.pace.due(15.625));
}

}  // namespace
}  // namespace zarb::testing
