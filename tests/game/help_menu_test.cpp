// The Help menu's boxes, the pause they make before opening, and Exit.

#include <algorithm>

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

using HelpBoxes = WindowTest;

TEST_F(HelpBoxes, ShowTheirTitlesAndTexts) {
    w.mnuRules_Click();
    w.mnuControls_Click();
    w.mnuAbout_Click();
    const std::vector<Message>& boxes = game.platform.messages;
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].title, "Rules of Zarb");
    EXPECT_EQ(boxes[0].text,
              "The object of Zarb is to hit the ball so\r\n"
              "that the other player misses it.  To do\r\n"
              "this, move your paddle up and down,\r\n"
              "but take note that where the ball hits\r\n"
              "the paddle will determine at what angle\r\n"
              "the ball bounces off your paddle.  Use\r\n"
              "this to your advantage.  Good luck!");
    EXPECT_EQ(boxes[1].title, "Keyboard Controls");
    EXPECT_EQ(boxes[1].text,
              "Left Paddle Up: \t\tA\r\nLeft Paddle Down:\t\tZ\r\n"
              "Right Paddle Up: \t\t'\r\nRight Paddle Down: \t/\r\n\r\n"
              "Start Game: \t\tF1\r\nStop Game: \t\tF2\r\nPause/Resume: \t\tESC");
    EXPECT_EQ(boxes[2].title, "About Zarb");
    const std::string& about = boxes[2].text;
    EXPECT_EQ(std::count(about.begin(), about.end(), '\n'), 9);  // ten lines joined by CR LF
    EXPECT_EQ(std::count(about.begin(), about.end(), '\r'), 9);
    EXPECT_NE(about.back(), '\n');
}

struct PauseRow {
    const char* name;
    Phase phase;
    bool wantPaused;
};
using HelpPause = WindowTable<PauseRow>;

// Each item pauses a running match before its box opens, and never resumes one.
TEST_P(HelpPause, PausesOnlyWhileTheBallTimerRuns) {
    for (void (ZarbWindow::*click)() : {&ZarbWindow::mnuRules_Click, &ZarbWindow::mnuControls_Click,
                                        &ZarbWindow::mnuAbout_Click}) {
        LoadedWindow fresh;
        enter(fresh, row.phase);
        bool pausedInBox = false;
        fresh.platform.whileBoxOpen = [&] { pausedInBox = fresh.window.mnuPause.Checked; };
        (fresh.window.*click)();
        EXPECT_EQ(pausedInBox, row.wantPaused);
        EXPECT_EQ(fresh.window.mnuPause.Checked, row.wantPaused);
        EXPECT_EQ(fresh.window.lblPause.Visible, row.wantPaused);
    }
}

const PauseRow kPauseRows[] = {
    {"no match under way is not paused", Phase::NoMatch, false},
    {"after End Game nothing is paused", Phase::Ended, false},
    {"a rally is paused", Phase::Rally, true},
    {"the wait between two points is paused", Phase::BetweenPoints, true},
    {"a won match is paused", Phase::WonByPlayer2, true},
    {"a paused game stays paused", Phase::Paused, true},
};
INSTANTIATE_TEST_SUITE_P(Rows, HelpPause, ::testing::ValuesIn(kPauseRows), rowName<PauseRow>);

TEST_F(HelpBoxes, InTheWaitBeforeTheFirstServeTheRallyStartsBehindTheBox) {
    w.mnuNew_Click();
    game.platform.whileBoxOpen = [&] { game.timers.run(1000 + TimerService::kTickMs); };
    w.mnuControls_Click();
    EXPECT_FALSE(w.mnuPause.Checked);
    EXPECT_EQ(runningTimers(w), "Ball Left Right");
    EXPECT_NE(w.ballDirX, 0);
}

TEST_F(HelpBoxes, ExitEndsTheProgramWithoutAQuestion) {
    game.serve(0, 0, 0);
    w.mnuExit_Click();
    EXPECT_EQ(game.platform.ends, 1);
    EXPECT_TRUE(game.platform.messages.empty());
}

}  // namespace
}  // namespace zarb::testing
