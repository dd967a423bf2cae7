// The computer's steering of the right paddle, and the arrival height it predicts as the ball
// crosses the prediction line.

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

struct SteerRow {
    const char* name;
    int speed, dirX;
    float stepY, left, top, paddleTop, keptGap, predictedTop, wantTop;
};
using OpponentSteering = WindowTable<SteerRow>;

TEST_P(OpponentSteering, MakesOneMovePerTick) {
    chooseSpeed(w, row.speed);
    w.ballDirX = row.dirX;
    w.ballDirY = kDown;
    w.ballStepY = row.stepY;
    w.imgBall.Left = row.left;
    w.imgBall.Top = row.top;
    w.imgRight.Top = row.paddleTop;
    w.opponentGap = row.keptGap;
    w.predictedTop = row.predictedTop;
    w.tmrRight_Timer();
    EXPECT_EQ(w.imgRight.Top, row.wantTop);
}

const SteerRow kSteerRows[] = {
    // The ball going away or far off: drift home, an aim point of 4000.
    {"a resting ball leaves the paddle at 3120", 160, kAtRest, 160, 5760, 3720, 3120, 0, 0, 3120},
    {"going away draws a high paddle down", 160, kLeft, 40, 8000, 3000, 0, 0, 0, 160},
    {"going away draws a low paddle up", 160, kLeft, 40, 8000, 3000, 6000, 0, 0, 5840},
    {"a home gap of exactly 100 is no move", 160, kRight, 40, 5999, 3000, 3300, 0, 0, 3300},
    {"a home gap of exactly -100 is no move", 160, kRight, 40, 5999, 3000, 3100, 0, 0, 3100},
    {"Supersonic from 3305 steps up past home", 230, kLeft, 40, 8000, 3000, 3305, 0, 0, 3075},
    {"Supersonic from 3075 steps back down", 230, kLeft, 40, 8000, 3000, 3075, 0, 0, 3305},
    // A ball coming that is neither shallow and close nor steep: home at once.
    {"a shallow ball at 6000 jumps the paddle to 3200", 160, kRight, 40, 6000, 3000, 0, 0, 0, 3200},
    {"a shallow ball at 6499 jumps the paddle to 3200", 160, kRight, 40, 6499, 0, 6915, 0, 0, 3200},
    {"a step of exactly 100 is neither shallow nor steep", 160, kRight, 100, 7000, 0, 0, 0, 0,
     3200},
    {"a step of exactly -100 is neither", 160, kRight, -100, 7000, 0, 6915, 0, 0, 3200},
    // A shallow ball from 6500 is followed.
    {"a shallow ball above the aim draws the paddle up", 160, kRight, 40, 6500, 1000, 3120, 0, 0,
     2960},
    {"a shallow ball below the aim draws it down", 160, kRight, -40, 6500, 6000, 3120, 0, 0, 3280},
    {"a shallow ball 100 above the aim is no move", 160, kRight, 40, 7000, 3820, 3120, 0, 0, 3120},
    {"a shallow ball 100 below the aim is no move", 160, kRight, 40, 7000, 4020, 3120, 0, 0, 3120},
    {"the step down stops on the score bar", 160, kRight, 40, 7000, 8000, 6800, 0, 0, 6915},
    // A steep ball is followed from 6500, then met at its predicted height from 7500.
    {"a steep ball at 6500 is followed", 160, kRight, 200, 6500, 1000, 3120, 0, 6000, 2960},
    {"a steep ball a little above the aim draws it up", 160, kRight, 200, 7000, 3000, 3120, 0, 0,
     2960},
    {"a steep ball 100 below the aim is no move", 160, kRight, 200, 7000, 4020, 3120, 0, 0, 3120},
    {"a steep ball at 7499 is followed", 160, kRight, 200, 7499, 1000, 3120, 0, 6000, 2960},
    {"a steep ball at 7500 is met where predicted", 160, kRight, 200, 7500, 1000, 3120, 0, 6000,
     3280},
    {"a negative steep step is steep too", 160, kRight, -200, 7500, 1000, 3120, 0, 6000, 3280},
    {"left of 6500 a kept gap of 400 steers up", 160, kRight, 200, 3000, 8000, 3120, 400, 0, 2960},
    {"left of 6500 a kept gap of -400 steers down", 160, kRight, 200, 3000, 0, 3120, -400, 0, 3280},
};
INSTANTIATE_TEST_SUITE_P(Rows, OpponentSteering, ::testing::ValuesIn(kSteerRows),
                         rowName<SteerRow>);

struct PredictRow {
    const char* name;
    int level, speed, dirY;
    float stepY, left, top, wantTicks, wantPredictedTop;  // left, top: after the ball's step
};
using OpponentPrediction = WindowTable<PredictRow>;

TEST_P(OpponentPrediction, FoldsThePathAtTheEdges) {
    chooseLevel(w, row.level);
    chooseSpeed(w, row.speed);
    aimBall(w, kRight, row.dirY, row.stepY, row.left, row.top);
    w.predictedTop = -1;
    w.tmrBall_Timer();
    EXPECT_EQ(w.ticksToPaddle, row.wantTicks);
    EXPECT_EQ(w.predictedTop, row.wantPredictedTop);
}

const PredictRow kPredictRows[] = {
    {"moving down it turns at the floor once", 1, 160, kDown, 200, 4000, 7000, 49.65625f, 78.75f},
    {"at Sluggish the path is single precision", 1, 115, kUp, 23, 4000, 1000, 69.086959838867188f,
     589.0001220703125f},
    {"moving up it turns at the top then the floor", 1, 160, kUp, 200, 4000, 1000, 49.65625f,
     8078.75f},
    {"moving up it turns at the top only", 1, 160, kUp, 100, 4000, 1000, 49.65625f, 3965.625f},
    {"on level 3 moving up it comes back from the floor", 3, 160, kUp, 100, 4000, 1000, 49.65625f,
     4539.375f},
    {"on level 3 moving down it comes back from the top", 3, 160, kDown, 200, 4000, 7000, 49.65625f,
     8426.25f},
    {"on level 3 it keeps its way through a whole field", 3, 160, kDown, 300, 4000, 7000, 49.65625f,
     4886.875f},
    {"moving down it turns at the floor then the top", 1, 160, kDown, 300, 4000, 7000, 49.65625f,
     4886.875f},
    {"it folds three times", 1, 160, kDown, 500, 4000, 7000, 49.65625f, 2191.875f},
    {"reaching the paddle before an edge is the floor", 1, 160, kDown, 10, 4000, 3000, 49.65625f,
     8505},
    {"travel of exactly a field's height is no fold", 1, 160, kDown, 200, 4025, 7110, 49.5f, 0},
    {"the line's far end is included", 1, 160, kDown, 200, 4160, 7000, 48.65625f, 278.75f},
    // Over a thousand field heights of travel: the fold goes on until the travel is used up.
    {"a very steep path folds to the end", 1, 160, kUp, 200000, 4160, -200000, 48.65625f, 2590},
};
INSTANTIATE_TEST_SUITE_P(Rows, OpponentPrediction, ::testing::ValuesIn(kPredictRows),
                         rowName<PredictRow>);

struct LineRow {
    const char* name;
    int level, players, dirX;
    float left;  // after the ball's step
    bool wantPrediction;
};
using OpponentPredictionLine = WindowTable<LineRow>;

TEST_P(OpponentPredictionLine, NeedsEveryPartOfTheTest) {
    chooseLevel(w, row.level);
    w.players = row.players;
    w.predictedTop = -1;
    aimBall(w, row.dirX, kDown, 200, row.left, 3000);
    w.tmrBall_Timer();
    EXPECT_EQ(w.predictedTop != -1, row.wantPrediction);
}

const LineRow kLineRows[] = {
    {"a ball landing on the line is predicted", 1, 1, kRight, 4000, true},
    {"half a twip short of the line is not", 1, 1, kRight, 3999.5f, false},
    {"half a twip past the line's far end is not", 1, 1, kRight, 4160.5f, false},
    {"a ball moving left is not", 1, 1, kLeft, 4000, false},
    {"two-player mode makes no prediction", 1, 2, kRight, 4000, false},
    {"on level 2 the line is at 6500", 2, 1, kRight, 6500, true},
    {"on level 5 the line ends at 6660", 5, 1, kRight, 6660, true},
};
INSTANTIATE_TEST_SUITE_P(Rows, OpponentPredictionLine, ::testing::ValuesIn(kLineRows),
                         rowName<LineRow>);

}  // namespace
}  // namespace zarb::testing
