// New Game, End Game and the serve one second after a start.

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

constexpr double kTick = TimerService::kTickMs;

using Serve = WindowTest;

struct DrawRow {
    const char* name;
    float rDirX, rDirY, rStep;
    int wantDirX, wantDirY;
    float wantStepY;
};
using ServeDraws = WindowTable<DrawRow>;

TEST_P(ServeDraws, TakeTheWholePartOfEachDraw) {
    game.serve(row.rDirX, row.rDirY, row.rStep);
    EXPECT_EQ(w.ballDirX, row.wantDirX);
    EXPECT_EQ(w.ballDirY, row.wantDirY);
    EXPECT_EQ(w.ballStepY, row.wantStepY);
    EXPECT_EQ(game.platform.reseeds, 3);  // start-up, End Game's Form_Load, the serve
}

const DrawRow kDrawRows[] = {
    {"draws of 0 serve right and up at step 10", 0, 0, 0, kRight, kUp, 10},
    {"draws just below one half serve right and up", 0.49999997f, 0.49999997f, 0.5f, kRight, kUp,
     35},
    {"draws of one half serve left and down", 0.5f, 0.5f, 0.3f, kLeft, kDown, 25},
    {"0.3 and 0.99 are cut down not rounded", 0.3f, 0.7f, 0.99f, kRight, kDown, 59},
    {"the largest draws serve at step 59", 0.99999994f, 0.99999994f, 0.99999994f, kLeft, kDown, 59},
};
INSTANTIATE_TEST_SUITE_P(Rows, ServeDraws, ::testing::ValuesIn(kDrawRows), rowName<DrawRow>);

TEST_F(Serve, ABallAlreadyMovingKeepsItsDirectionsAndStep) {
    w.mnuNew_Click();
    w.ballDirX = kLeft;
    w.ballDirY = kUp;
    w.ballStepY = 77;
    game.platform.draws = {0, 0, 0};
    game.timers.run(1000);
    EXPECT_EQ(w.ballDirX, kLeft);
    EXPECT_EQ(w.ballDirY, kUp);
    EXPECT_EQ(w.ballStepY, 77);
    EXPECT_EQ(game.platform.draws.size(), 3u);
    EXPECT_EQ(runningTimers(w), "Left Right");
    EXPECT_EQ(settingsMenus(w), "disabled");
}

// Settings chosen in the second before the serve hold for the match.
TEST_F(Serve, FollowsTheSettingsChosenDuringTheWait) {
    w.mnuNew_Click();
    w.mnuLevel5_Click();
    w.mnuTwo_Click();
    w.mnuFast_Click();
    w.imgBall.Top = 5000;
    game.platform.draws = {0, 0.5f, 0};
    game.timers.run(1000);
    EXPECT_EQ(w.imgBall.Top, 875);
    EXPECT_TRUE(w.shpObstacle.Visible);
    EXPECT_EQ(w.predictionLine, 6500);
    EXPECT_EQ(w.lblWin.Caption, "Two Player Mode");
    game.timers.run(kTick);
    EXPECT_EQ(w.imgBall.Left, 5945);  // 5760 and a Fast step
}

using SettingsMenus = WindowTest;

TEST_F(SettingsMenus, AreDisabledFromTheServeUntilTheMatchEnds) {
    w.mnuNew_Click();
    EXPECT_EQ(settingsMenus(w), "enabled");  // the wait before the first serve
    game.timers.run(1000);
    EXPECT_EQ(settingsMenus(w), "disabled");
    EXPECT_FALSE(w.mnuFast.reachable());
    EXPECT_EQ(speedChecks(w), "Medium");  // the items still show the settings in force
    scorePoint(w, 1);
    EXPECT_EQ(settingsMenus(w), "disabled");
    game.timers.run(1000);
    EXPECT_EQ(settingsMenus(w), "disabled");
    w.mnuEnd_Click();
    EXPECT_EQ(settingsMenus(w), "enabled");
    game.serve(0, 0, 0);
    w.mnuNew_Click();  // during a rally
    EXPECT_EQ(settingsMenus(w), "enabled");
    game.timers.run(1000);
    w.player2Score = 9;
    scorePoint(w, 2);
    EXPECT_EQ(settingsMenus(w), "enabled");
    EXPECT_TRUE(w.mnuFast.reachable());
}

using EndGame = WindowTest;

// End Game loads the window's state afresh, which keeps any level from 1 to 5.
TEST_F(EndGame, KeepsTheLevelChosen) {
    for (int level = 1; level <= 5; ++level) {
        chooseLevel(w, level);
        w.mnuEnd_Click();
        EXPECT_EQ(w.level, level);
    }
}

// New Game runs End Game and then starts the wait for the serve.
TEST_F(EndGame, DuringARallyStopsTheBallAndNewGameClearsTheLabels) {
    game.serve(0, 0, 0.5f);
    scorePoint(w, 1);
    game.timers.run(1000);
    scorePoint(w, 2);
    game.timers.run(1000 + 5 * kTick);
    ASSERT_NE(w.ballDirX, kAtRest);
    w.mnuEnd_Click();
    EXPECT_EQ(w.lblWin.Caption, "Game Ended");
    EXPECT_EQ(w.ballDirX, kAtRest);
    EXPECT_EQ(w.ballDirY, kAtRest);
    EXPECT_EQ(w.player1Score, 0);
    EXPECT_EQ(w.imgBall.Left, 5760);
    EXPECT_EQ(w.imgBall.Top, 3720);
    EXPECT_EQ(w.lblPlayer1.Caption, "Player 1:  1");  // the ended match's score stays shown
    EXPECT_EQ(w.lblPlayer2.Caption, "Player 2:  1");
    EXPECT_EQ(runningTimers(w), "Left Right");
    EXPECT_EQ(settingsMenus(w), "enabled");
    w.mnuNew_Click();
    EXPECT_EQ(w.lblPlayer1.Caption, "Player 1:  0");
    EXPECT_EQ(w.lblPlayer2.Caption, "Player 2:  0");
    EXPECT_EQ(runningTimers(w), "Left Right Start");
}

TEST_F(EndGame, LaysOutTheLevelsPiecesAgain) {
    w.mnuLevel3_Click();
    w.shpObstacle.Left = 4300;
    w.imgBall.Visible = false;
    w.imgBall2.Left = 3000;
    w.imgBall2.Top = 100;
    w.mnuEnd_Click();
    EXPECT_FALSE(w.imgBall2.Visible);
    EXPECT_TRUE(w.imgBall.Visible);
    EXPECT_EQ(w.imgBall2.Left, 5760);
    EXPECT_EQ(w.imgBall2.Top, 100);
    EXPECT_EQ(w.shpObstacle.Left, 5750);  // hidden, but back in its place
    w.mnuLevel2_Click();
    w.imgBall.Top = 3000;
    w.mnuEnd_Click();
    EXPECT_EQ(w.imgBall.Top, 875);
    w.mnuLevel5_Click();
    w.shpObstacle.Left = 4300;
    w.imgBall.Top = 3000;
    w.mnuEnd_Click();
    EXPECT_EQ(w.shpObstacle.Left, 5750);
    EXPECT_TRUE(w.shpObstacle.Visible);
    EXPECT_EQ(w.imgBall.Top, 875);
    EXPECT_EQ(w.predictionLine, 6500);
}

}  // namespace
}  // namespace zarb::testing
