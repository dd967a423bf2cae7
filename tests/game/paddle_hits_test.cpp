// A paddle returning the ball, and the new vertical step set by where it meets the paddle.

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

struct DeflectRow {
    const char* name;
    int players, dirY;
    float stepY, top, wantHitOffset, wantDeflectY, wantStepY;  // top: the ball at the paddle
};
using PaddleDeflection = WindowTable<DeflectRow>;

// The ball meets the left paddle at 3120 moving left.
TEST_P(PaddleDeflection, ChangesTheStepByATenthOfTheOffset) {
    w.players = row.players;
    aimBall(w, kLeft, row.dirY, row.stepY, 300, row.top);
    w.tmrBall_Timer();
    EXPECT_EQ(w.hitOffset, row.wantHitOffset);
    EXPECT_EQ(w.deflectY, row.wantDeflectY);
    EXPECT_EQ(w.ballStepY, row.wantStepY);
    EXPECT_EQ(w.ballDirX, kRight);
    EXPECT_EQ(w.ballDirY, row.dirY);  // a hit never turns the ball vertically
}

const DeflectRow kDeflectRows[] = {
    {"level with the middle moving down", 1, kDown, 40, 3670, 0, 0, 40},
    {"level with the middle moving up", 1, kUp, 40, 3670, 0, 0, 40},
    {"above the middle moving down flattens", 1, kDown, 40, 3300, 370, -37, 3},
    {"above the middle moving up steepens", 1, kUp, 40, 3300, 370, 37, 77},
    {"below the middle moving down steepens", 1, kDown, 40, 4500, -830, 83, 123},
    {"near the top moving up steepens", 1, kUp, 40, 2700, 970, 97, 137},
    {"the tenth is not cut to a whole number", 1, kUp, 40, 3337, 333, 33.3f, 73.3f},
    {"a step pushed below zero stays signed", 1, kDown, 40, 3000, 670, -67, -27},
    {"one player: 340 and 20 stops at 350", 1, kUp, 340, 3470, 200, 20, 350},
    {"two players: 340 and 20 is 360", 2, kUp, 340, 3470, 200, 20, 360},
    {"two players: 520 is cut to 500", 2, kUp, 520, 3670, 0, 0, 500},
    {"one player: -370 is cut to -350", 1, kUp, -370, 3670, 0, 0, -350},
};
INSTANTIATE_TEST_SUITE_P(Rows, PaddleDeflection, ::testing::ValuesIn(kDeflectRows),
                         rowName<DeflectRow>);

struct OffsetRow {
    const char* name;
    float paddleTop, top, wantHitOffset;
};
using HitOffset = WindowTable<OffsetRow>;

// A ball tall enough to meet a paddle far down the field, at rest beside the left paddle.
TEST_P(HitOffset, RoundsTheExactDifferenceOnce) {
    w.imgLeft.Top = row.paddleTop;
    w.imgBall.Left = 300;
    w.imgBall.Top = row.top;
    w.imgBall.Height = 1e8f;
    w.tmrBall_Timer();
    EXPECT_EQ(w.hitOffset, row.wantHitOffset);
}

// Paddle Top + 550 lies halfway between two neighbouring single-precision values, and the
// ball's tiny Top says which way the exact difference goes.
const OffsetRow kOffsetRows[] = {
    {"a ball a hair low rounds the offset down", 33554432, 0x1p-60f, 33554980},
    {"a ball a hair high rounds the offset up", 33554436, -0x1p-60f, 33554988},
    {"an offset of the finest float is kept", 0x1p-149f, 550, 0x1p-149f},
    {"an offset of the finest float below the middle is kept", -0x1p-149f, 550, -0x1p-149f},
};
INSTANTIATE_TEST_SUITE_P(Rows, HitOffset, ::testing::ValuesIn(kOffsetRows), rowName<OffsetRow>);

struct HitRow {
    const char* name;
    bool right;
    float paddleTop, left, top;
    bool wantHit;
};
using PaddleHitTest = WindowTable<HitRow>;

// The ball rests: a hit looks at no direction.
TEST_P(PaddleHitTest, CountsEveryEdgeOfTheOverlap) {
    (row.right ? w.imgRight : w.imgLeft).Top = row.paddleTop;
    w.imgBall.Left = row.left;
    w.imgBall.Top = row.top;
    w.tmrBall_Timer();
    EXPECT_EQ(w.ballDirX, row.wantHit ? (row.right ? kLeft : kRight) : kAtRest);
}

const HitRow kHitRows[] = {
    {"the ball's left edge on the paddle is a hit", false, 3120, 465, 3500, true},
    {"half a twip right of the paddle is no hit", false, 3120, 465.5f, 3500, false},
    {"the ball's bottom on the paddle's top is a hit", false, 3120, 300, 2625, true},
    {"half a twip above the paddle is no hit", false, 3120, 300, 2624.5f, false},
    {"the ball's top on the paddle's bottom is a hit", false, 3120, 300, 4710, true},
    {"half a twip below the paddle is no hit", false, 3120, 300, 4710.5f, false},
    {"the ball's right edge on the right paddle is a hit", true, 3120, 10955, 3500, true},
    {"half a twip short of the right paddle is no hit", true, 3120, 10954.5f, 3500, false},
    {"the ball's bottom on the right paddle's top is a hit", true, 3120, 11000, 2625, true},
    {"half a twip above the right paddle is no hit", true, 3120, 11000, 2624.5f, false},
    {"the ball's top on the right paddle's bottom is a hit", true, 3120, 11000, 4710, true},
    {"below the right paddle is no hit", true, 3120, 11000, 4710.5f, false},
    // 3604.999755859375 + 495 rounds to 4100 in single precision.
    {"a bottom that rounds onto the paddle is a hit", false, 4100, 300, 3604.999755859375f, true},
};
INSTANTIATE_TEST_SUITE_P(Rows, PaddleHitTest, ::testing::ValuesIn(kHitRows), rowName<HitRow>);

using PaddleHits = WindowTest;

TEST_F(PaddleHits, ABallStillOverlappingOnTheNextTickIsHitAgain) {
    aimBall(w, kLeft, kDown, 40, 300, 3300);
    w.tmrBall_Timer();
    ASSERT_EQ(w.ballStepY, 3);
    w.tmrBall_Timer();  // to Left 460, Top 3303: still on the paddle
    EXPECT_EQ(w.hitOffset, 367);
    EXPECT_EQ(w.deflectY, -36.7f);
    EXPECT_EQ(w.ballStepY, -33.7f);
    EXPECT_EQ(w.ballDirX, kRight);
}

TEST_F(PaddleHits, TheRightPaddleChangesTheStepAsTheLeftDoes) {
    aimBall(w, kRight, kUp, 40, 10955, 3300);
    w.tmrBall_Timer();
    EXPECT_EQ(w.hitOffset, 370);
    EXPECT_EQ(w.ballStepY, 77);
    EXPECT_EQ(w.ballDirX, kLeft);
}

TEST_F(PaddleHits, APaddleMovedOntoABallBehindItReturnsTheBall) {
    aimBall(w, kLeft, kDown, 0, 200, 2600);  // passes just above the paddle
    w.tmrBall_Timer();
    ASSERT_EQ(w.ballDirX, kLeft);
    w.Form_KeyDown(keys::kA, 0);
    w.tmrLeft_Timer();
    w.tmrBall_Timer();  // Left 40: behind the paddle, still in the field
    EXPECT_EQ(w.ballDirX, kRight);
    EXPECT_EQ(w.player2Score, 0);
}

}  // namespace
}  // namespace zarb::testing
