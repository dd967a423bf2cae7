// tmrBall_Timer: the ball's step, the ceiling and floor, and the order of the tick's phases.

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
    {"the step is the magnitude of ballStepY", 1, 1, 2, -30, 3720, 5920, 3750, 2},
    {"a ball moving left and up", 1, 2, 1, 45, 3720, 5600, 3675, 1},
    {"step 45 turns at exactly 22.5", 1, 1, 1, 45, 67.5f, 5920, 22.5f, 2},
    {"step 45 does not turn at 23", 1, 1, 1, 45, 68, 5920, 23, 1},
    {"step -300 rises above the field", 1, 1, 1, -300, 200, 5920, -100, 1},
    {"step -300 turns at -150", 1, 1, 1, -300, 150, 5920, -150, 2},
    {"a ball at exactly 8000 turns up", 1, 1, 2, 40, 7960, 5920, 8000, 1},
    {"a ball at 7999.5 does not turn", 1, 1, 2, 40, 7959.5f, 5920, 7999.5f, 2},
    {"a zero step moves straight across", 1, 1, 2, 0, 3720, 5920, 3720, 2},
    {"a ball at rest does not move", 1, 0, 0, 45, 3720, 5760, 3720, 0},
    {"level 3 has no ceiling", 3, 1, 1, 45, 67.5f, 5920, 22.5f, 1},
    {"level 3 has no floor", 3, 1, 2, 40, 7960, 5920, 8000, 2},
};
INSTANTIATE_TEST_SUITE_P(Rows, BallStep, ::testing::ValuesIn(kStepRows), rowName<StepRow>);

using BallTickOrder = WindowTest;

// The ball passes the left edge beside the paddle: the point comes first, and the paddle then
// finds the ball at its serve position, so the step is not deflected.
TEST_F(BallTickOrder, APointComesBeforeTheWouldBePaddleHit) {
    aimBall(w, 2, 2, 40, -0.5f, 3300);
    w.tmrBall_Timer();
    EXPECT_EQ(w.player2Score, 1);
    EXPECT_EQ(w.ballStepY, 40);
    EXPECT_EQ(w.hitOffset, 1);
    EXPECT_EQ(w.ballDirX, 0);
}

TEST_F(BallTickOrder, TheBouncesAfterAPointSeeTheServePosition) {
    aimBall(w, 2, 1, 40, -60, 10);  // within the ceiling, had it not scored
    w.tmrBall_Timer();
    EXPECT_EQ(w.ballDirY, 0);
    EXPECT_EQ(w.imgBall.Top, 3720);
}

TEST_F(BallTickOrder, TheFloorTestSeesTheDirectionTheCeilingTestSet) {
    w.ballStepY = 17000;  // a resting ball at 8100 is then within the ceiling and the floor
    w.imgBall.Top = 8100;
    w.tmrBall_Timer();
    EXPECT_EQ(w.ballDirY, 1);
}

TEST_F(BallTickOrder, OnLevel3ThePaddleMeetsTheBallBeforeItWraps) {
    w.mnuLevel3_Click();
    w.imgLeft.Top = 0;
    aimBall(w, 2, 1, 40, 300, -30);
    w.tmrBall_Timer();
    EXPECT_EQ(w.ballDirX, 1);
    EXPECT_EQ(w.hitOffset, 580);
    EXPECT_EQ(w.imgBall.Top, 8475);
    EXPECT_EQ(w.imgBall2.Left, 300);  // the second picture took the same step
}

}  // namespace
}  // namespace zarb::testing
