// The Speed, Players and Level menus: the setting, the check mark and the level's layout.

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

using SettingsItems = WindowTest;

struct LevelRow {
    const char* name;  // the item's caption
    int level, wantLine;
    bool wantObstacle;
    float wantObstacleLeft, wantTop;
    bool wantBall2;
};
using LevelMenu = WindowTable<LevelRow>;

TEST_P(LevelMenu, LaysTheFieldOutAtOnce) {
    game.serve(0, 0, 0);
    w.mnuEnd_Click();
    w.player1Score = 3;
    w.shpObstacle.Left = 4321;
    w.imgBall.Left = 3000;
    w.imgBall.Top = 5000;
    w.imgBall2.Left = 1000;
    w.imgBall2.Top = 2000;
    w.imgBall2.Visible = true;  // as level 3 left it
    w.imgLeft.Top = 100;
    chooseLevel(w, row.level);
    EXPECT_EQ(w.level, row.level);
    EXPECT_EQ(w.lblLevel.Caption, row.name);
    EXPECT_EQ(levelChecks(w), row.name);
    EXPECT_EQ(w.predictionLine, row.wantLine);
    EXPECT_EQ(w.shpObstacle.Visible, row.wantObstacle);
    EXPECT_EQ(w.shpObstacle.Left, row.wantObstacleLeft);
    EXPECT_EQ(w.imgBall.Top, row.wantTop);
    EXPECT_EQ(w.imgBall2.Visible, row.wantBall2);
    // Never the ball's Left, the second picture's place, the paddles, scores or timers.
    EXPECT_EQ(w.imgBall.Left, 3000);
    EXPECT_EQ(w.imgBall2.Left, 1000);
    EXPECT_EQ(w.imgBall2.Top, 2000);
    EXPECT_EQ(w.imgLeft.Top, 100);
    EXPECT_EQ(w.player1Score, 3);
    EXPECT_EQ(runningTimers(w), "Left Right");
}

const LevelRow kLevelRows[] = {
    {"Level 1", 1, 4000, false, 4321, 3720, false}, {"Level 2", 2, 6500, true, 5750, 875, false},
    {"Level 3", 3, 4000, false, 4321, 3720, true},  {"Level 4", 4, 4000, false, 4321, 3720, false},
    {"Level 5", 5, 6500, true, 5750, 875, false},
};
INSTANTIATE_TEST_SUITE_P(Items, LevelMenu, ::testing::ValuesIn(kLevelRows), rowName<LevelRow>);

TEST_F(SettingsItems, ChoosingTheCheckedLevelAgainLaysTheFieldOutAgain) {
    w.mnuLevel2_Click();
    w.imgBall.Top = 5000;
    w.mnuLevel2_Click();
    EXPECT_EQ(w.imgBall.Top, 875);
    EXPECT_EQ(levelChecks(w), "Level 2");
}

}  // namespace
}  // namespace zarb::testing
