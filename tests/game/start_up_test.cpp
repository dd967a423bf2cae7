// Form_Load and Form_Unload: the start state of a new window, the settings that survive a reset.

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

using StartUp = WindowTest;

TEST_F(StartUp, ANewWindowShowsTheStartState) {
    EXPECT_EQ(w.level, 1);
    EXPECT_EQ(w.speedSetting, 160);
    EXPECT_EQ(w.players, 1);
    EXPECT_EQ(w.player1Score + w.player2Score + w.ballDirX + w.ballDirY, 0);
    EXPECT_EQ(w.ballStepY, 160);
    EXPECT_EQ(w.hitOffset, 1);
    EXPECT_EQ(w.predictionLine, 4000);
    EXPECT_EQ(w.imgBall.Left, 5760);
    EXPECT_EQ(w.imgBall.Top, 3720);
    EXPECT_EQ(w.imgLeft.Top, 3120);
    EXPECT_EQ(w.imgRight.Top, 3120);
    EXPECT_EQ(w.lblPlayer1.Caption, "Player 1:  0");
    EXPECT_EQ(w.lblPlayer2.Caption, "Player 2:  0");
    EXPECT_EQ(w.lblLevel.Caption, "Level 1");
    EXPECT_EQ(w.lblWin.Caption, "One Player Mode");
    EXPECT_TRUE(w.imgBall.Visible);
    EXPECT_FALSE(w.lblPause.Visible || w.imgBall2.Visible || w.shpObstacle.Visible);
    EXPECT_EQ(runningTimers(w), "Left Right");
    EXPECT_EQ(speedChecks(w), "Medium");
    EXPECT_EQ(checked({&w.mnuOne, &w.mnuTwo}), "&One Player");
    EXPECT_EQ(levelChecks(w), "Level 1");
    EXPECT_FALSE(w.mnuPause.Enabled || w.mnuPause.Checked);
    EXPECT_EQ(settingsMenus(w), "enabled");
    EXPECT_EQ(game.platform.reseeds, 1);
}

struct SettingsRow {
    const char* name;
    int level, speed, players, wantLevel, wantSpeed, wantPlayers;
};
using StartUpSettings = WindowTable<SettingsRow>;

TEST_P(StartUpSettings, KeepValidValuesAndFallBackOtherwise) {
    w.level = row.level;
    w.speedSetting = row.speed;
    w.players = row.players;
    w.Form_Load();
    EXPECT_EQ(w.level, row.wantLevel);
    EXPECT_EQ(w.speedSetting, row.wantSpeed);
    EXPECT_EQ(w.ballStepY, row.wantSpeed);
    EXPECT_EQ(w.players, row.wantPlayers);
    EXPECT_EQ(w.mnuTwo.Checked, row.wantPlayers == 2);
    EXPECT_EQ(w.mnuOne.Checked, row.wantPlayers == 1);
    EXPECT_EQ(w.lblWin.Caption, "One Player Mode");  // whatever the players
}

const SettingsRow kSettingsRows[] = {
    {"level 2 Slow one player are kept", 2, 140, 1, 2, 140, 1},
    {"level 3 Fast two players are kept", 3, 185, 2, 3, 185, 2},
    {"level 4 Sluggish are kept", 4, 115, 1, 4, 115, 1},
    {"level 5 Supersonic are kept", 5, 230, 2, 5, 230, 2},
    {"never written settings fall back", 0, 0, 0, 1, 160, 1},
    {"level 6 speed 150 three players fall back", 6, 150, 3, 1, 160, 1},
};
INSTANTIATE_TEST_SUITE_P(Rows, StartUpSettings, ::testing::ValuesIn(kSettingsRows),
                         rowName<SettingsRow>);

TEST_F(StartUp, EndGameKeepsTheSettingsChosenInTheMenus) {
    w.mnuTwo_Click();
    w.mnuLevel5_Click();
    w.mnuReallyfast_Click();
    w.mnuEnd_Click();
    EXPECT_EQ(w.players, 2);
    EXPECT_EQ(w.level, 5);
    EXPECT_EQ(w.speedSetting, 230);
    EXPECT_EQ(w.ballStepY, 230);
}

}  // namespace
}  // namespace zarb::testing
