// Points at the edges, the serve position after a point, the score labels and the match win.

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

struct EdgeRow {
    const char* name;
    float left;
    int wantPlayer1, wantPlayer2;
};
using ScoringEdges = WindowTable<EdgeRow>;

TEST_P(ScoringEdges, ScoreOnlyBeyondTheEdge) {
    w.imgBall.Left = row.left;
    w.imgBall.Top = 7000;  // clear of both paddles
    w.tmrBall_Timer();
    EXPECT_EQ(w.player1Score, row.wantPlayer1);
    EXPECT_EQ(w.player2Score, row.wantPlayer2);
}

const EdgeRow kEdgeRows[] = {
    {"a ball exactly at the right edge is no point", 11500, 0, 0},
    {"11500.5 scores for Player 1", 11500.5f, 1, 0},
    {"a ball exactly at the left edge is no point", 0, 0, 0},
    {"-0.5 scores for Player 2", -0.5f, 0, 1},
};
INSTANTIATE_TEST_SUITE_P(Rows, ScoringEdges, ::testing::ValuesIn(kEdgeRows), rowName<EdgeRow>);

struct ResetRow {
    const char* name;
    int level;
    float wantLeft, wantTop, wantLeft2, wantTop2;
};
using ScoringReset = WindowTable<ResetRow>;

TEST_P(ScoringReset, PutsTheBallAtRestAtItsLevelsServePosition) {
    chooseLevel(w, row.level);
    game.serve(0, 0, 0);
    w.ballDirY = 2;
    w.ballStepY = 40;
    w.imgBall2.Left = 1000;
    w.imgBall2.Top = 2000;
    scorePoint(w, 1);
    EXPECT_EQ(w.imgBall.Left, row.wantLeft);
    EXPECT_EQ(w.imgBall.Top, row.wantTop);
    EXPECT_EQ(w.imgBall2.Left, row.wantLeft2);
    EXPECT_EQ(w.imgBall2.Top, row.wantTop2);
    EXPECT_EQ(w.ballDirX + w.ballDirY, 0);
    EXPECT_EQ(w.ballStepY, 40);  // until the next serve replaces it
    EXPECT_EQ(w.lblWin.Caption, "Player 1 Wins!");
    EXPECT_EQ(runningTimers(w), "Ball Left Right Start");
}

const ResetRow kResetRows[] = {
    {"level 1 puts both pictures in the middle", 1, 5760, 3720, 5760, 3720},
    {"level 2 serves above the obstacle", 2, 5750, 875, 1000, 2000},
    {"level 3 puts both pictures in the middle", 3, 5760, 3720, 5760, 3720},
    {"level 4 puts both pictures in the middle", 4, 5760, 3720, 5760, 3720},
    {"level 5 serves above the obstacle", 5, 5750, 875, 1000, 2000},
};
INSTANTIATE_TEST_SUITE_P(Rows, ScoringReset, ::testing::ValuesIn(kResetRows), rowName<ResetRow>);

using Scoring = WindowTest;

TEST_F(Scoring, APointOnLevel3KeepsWhichPictureIsShown) {
    w.mnuLevel3_Click();
    w.imgBall.Visible = false;  // as after a wrap
    scorePoint(w, 2);
    EXPECT_EQ(w.player2Score, 1);
    EXPECT_FALSE(w.imgBall.Visible);
    EXPECT_TRUE(w.imgBall2.Visible);
}

TEST_F(Scoring, TheSecondPictureScoresNothing) {
    w.mnuLevel3_Click();
    w.imgBall2.Left = 11600;
    w.tmrBall_Timer();
    EXPECT_EQ(w.player1Score, 0);
}

struct PointRow {
    const char* name;
    int winner, scoreBefore;
    const char* wantLabel;
    const char* wantBox;  // empty: no box, and the next serve follows
};
using ScoringPoints = WindowTable<PointRow>;

TEST_P(ScoringPoints, CountAndServeAgainUntilTen) {
    game.serve(0, 0, 0);
    (row.winner == 1 ? w.player1Score : w.player2Score) = row.scoreBefore;
    int dirXInBox = -1;
    game.platform.whileBoxOpen = [&] { dirXInBox = w.ballDirX; };
    scorePoint(w, row.winner);
    EXPECT_EQ((row.winner == 1 ? w.lblPlayer1 : w.lblPlayer2).Caption, row.wantLabel);
    EXPECT_EQ(w.lblWin.Caption, row.winner == 1 ? "Player 1 Wins!" : "Player 2 Wins!");
    if (std::string(row.wantBox).empty()) {
        EXPECT_TRUE(game.platform.messages.empty());
        EXPECT_TRUE(w.tmrStart.Enabled());
        EXPECT_EQ(settingsMenus(w), "disabled");
        return;
    }
    ASSERT_EQ(game.platform.messages.size(), 1u);
    EXPECT_EQ(game.platform.messages[0].title, "Zarb");
    EXPECT_EQ(game.platform.messages[0].text, row.wantBox);
    EXPECT_EQ(dirXInBox, 0);  // the ball lies still while the box is open
    EXPECT_EQ(runningTimers(w), "Ball Left Right");
    EXPECT_EQ(settingsMenus(w), "enabled");
}

const PointRow kPointRows[] = {
    {"Player 1's seventh point reads with two blanks", 1, 6, "Player 1:  7", ""},
    {"Player 2's ninth point serves again", 2, 8, "Player 2:  9", ""},
    {"Player 1's tenth point wins the match", 1, 9, "Player 1:  10", "Player 1 Wins!"},
    {"Player 2's tenth point wins the match", 2, 9, "Player 2:  10", "Player 2 Wins!"},
};
INSTANTIATE_TEST_SUITE_P(Rows, ScoringPoints, ::testing::ValuesIn(kPointRows), rowName<PointRow>);

}  // namespace
}  // namespace zarb::testing
