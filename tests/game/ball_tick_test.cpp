// tmrBall_Timer's boundaries: the ball's step, the ceiling and the floor, and the two edges where
// a point is scored.

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

struct StepRow {
    const char* name;
    int level, dirX, dirY;
    float stepY, top, wantLeft, wantTop;  // the ball starts at Left 5760
    int wantDirY;
};
using BallStep = WindowTable<StepRow>;

TEST_P(BallStep, MovesAndBouncesOnce) {
    chooseLevel(w, row.level);
    w.ballDirX = row.dirX;
    w.ballDirY = row.dirY;
    w.ballStepY = row.stepY;
    w.imgBall.Top = row.top;
    w.tmrBall_Timer();
    EXPECT_EQ(w.imgBall.Left, row.wantLeft);
    EXPECT_EQ(w.imgBall.Top, row.wantTop);
    EXPECT_EQ(w.ballDirY, row.wantDirY);
}

const StepRow kStepRows[] = {
    {"the step is the magnitude of ballStepY", 1, kRight, kDown, -30, 3720, 5920, 3750, kDown},
    {"a ball moving left and up", 1, kLeft, kUp, 45, 3720, 5600, 3675, kUp},
    {"step 45 turns at exactly 22.5", 1, kRight, kUp, 45, 67.5f, 5920, 22.5f, kDown},
    {"step 45 does not turn at 23", 1, kRight, kUp, 45, 68, 5920, 23, kUp},
    {"step -300 rises above the field", 1, kRight, kUp, -300, 200, 5920, -100, kUp},
    {"step -300 turns at -150", 1, kRight, kUp, -300, 150, 5920, -150, kDown},
    // The ceiling is half the step exactly, even where half a step is finer than single
    // precision can hold: half of 3 smallest steps is 1.5 of them.
    {"a tiny step does not turn 2 of them up", 1, kRight, kUp, 0x3p-149f, 0x5p-149f, 5920,
     0x2p-149f, kUp},
    {"a tiny step turns 1 of them up", 1, kRight, kUp, 0x3p-149f, 0x4p-149f, 5920, 0x1p-149f,
     kDown},
    {"a ball at exactly 8000 turns up", 1, kRight, kDown, 40, 7960, 5920, 8000, kUp},
    {"a ball at 7999.5 does not turn", 1, kRight, kDown, 40, 7959.5f, 5920, 7999.5f, kDown},
    {"a ball at rest does not move", 1, kAtRest, kAtRest, 45, 3720, 5760, 3720, kAtRest},
    {"level 3 has no ceiling", 3, kRight, kUp, 45, 67.5f, 5920, 22.5f, kUp},
    {"level 3 has no floor", 3, kRight, kDown, 40, 7960, 5920, 8000, kDown},
};
INSTANTIATE_TEST_SUITE_P(Rows, BallStep, ::testing::ValuesIn(kStepRows), rowName<StepRow>);

using SecondPicture = WindowTest;

TEST_F(SecondPicture, TakesTheBallsStepOnLevel3EitherWay) {
    w.mnuLevel3_Click();
    for (const auto& [dirX, wantLeft] : {std::pair{kLeft, 5600.0f}, std::pair{kRight, 5760.0f}}) {
        w.ballDirX = dirX;
        w.tmrBall_Timer();
        EXPECT_EQ(w.imgBall.Left, wantLeft);
        EXPECT_EQ(w.imgBall2.Left, wantLeft);
    }
}

struct EdgeRow {
    const char* name;
    float left;
    int wantPlayer1, wantPlayer2;
    float wantTop;  // a point puts the ball back in the middle
};
using ScoringEdges = WindowTable<EdgeRow>;

TEST_P(ScoringEdges, ScoreOnlyBeyondTheEdge) {
    w.imgBall.Left = row.left;
    w.imgBall.Top = 7000;  // clear of both paddles
    w.tmrBall_Timer();
    EXPECT_EQ(w.player1Score, row.wantPlayer1);
    EXPECT_EQ(w.player2Score, row.wantPlayer2);
    EXPECT_EQ(w.imgBall.Top, row.wantTop);
}

const EdgeRow kEdgeRows[] = {
    {"a ball exactly at the right edge is no point", 11500, 0, 0, 7000},
    {"11500.5 scores for Player 1", 11500.5f, 1, 0, 3720},
    {"a ball exactly at the left edge is no point", 0, 0, 0, 7000},
    {"-0.5 scores for Player 2", -0.5f, 0, 1, 3720},
};
INSTANTIATE_TEST_SUITE_P(Rows, ScoringEdges, ::testing::ValuesIn(kEdgeRows), rowName<EdgeRow>);

}  // namespace
}  // namespace zarb::testing
