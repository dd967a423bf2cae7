// The 64 Hz clock and the four timers it fires in their fixed order.

#include <gtest/gtest.h>

#include <sstream>

#include "tools/headless/script_runner.h"

namespace zarb {
namespace {

struct Headless {
    std::ostringstream out, err;
    headless::ScriptRunner runner{out, err};
    ZarbWindow& window() { return runner.program().loadZarb(); }
    TimerService& timers() { return runner.program().timers(); }
};

TEST(TimerService, AStartedGameServesOnTheSixtyFourthClockTick) {
    Headless game;
    game.window().mnuNew_Click();
    game.timers().run(63 * TimerService::kTickMs);
    EXPECT_TRUE(game.window().tmrStart.Enabled());
    EXPECT_EQ(game.window().ballDirX, 0);
    game.timers().run(TimerService::kTickMs);
    EXPECT_FALSE(game.window().tmrStart.Enabled());
    EXPECT_NE(game.window().ballDirX, 0);
}

}  // namespace
}  // namespace zarb
