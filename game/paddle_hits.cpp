// The ball meeting a paddle, and the new vertical step set by where it meets it.

#include "game/exact_sum.h"
#include "game/field_layout.h"
#include "game/single.h"
#include "game/zarb_window.h"

namespace zarb {

namespace {

// Fixed middles, not halves of the sizes: half of 1590 is 795 (layout::kPaddleMiddle is 800)
// and half of 495 is 247.5.
constexpr auto kPaddleMiddle = static_cast<float>(layout::kPaddleMiddle);
constexpr float kBallMiddle = 250;
constexpr double kDivisor = 10;
constexpr float kOnePlayerLimit = 350;
constexpr float kTwoPlayerLimit = 500;

}  // namespace

void ZarbWindow::hitPaddles() {
    // Every part of each test is evaluated; all comparisons include equality.
    if ((single(double{imgLeft.Left} + imgLeft.Width) >= imgBall.Left) &
        (single(double{imgBall.Top} + imgBall.Height) >= imgLeft.Top) &
        (single(double{imgLeft.Top} + imgLeft.Height) >= imgBall.Top)) {
        deflectFrom(imgLeft);
        ballDirX = dir::kRight;
    }
    if ((single(double{imgBall.Left} + imgBall.Width) >= imgRight.Left) &
        (single(double{imgBall.Top} + imgBall.Height) >= imgRight.Top) &
        (single(double{imgRight.Top} + imgRight.Height) >= imgBall.Top)) {
        deflectFrom(imgRight);
        ballDirX = dir::kLeft;
    }
}

void ZarbWindow::deflectFrom(const Control& paddle) {
    // Positive when the ball's middle lies above the paddle's middle; the four terms are added
    // exactly and rounded once.
    hitOffset = exactSingleSum({paddle.Top, kPaddleMiddle, -imgBall.Top, -kBallMiddle});
    const float tenth = single(hitOffset / kDivisor);
    deflectY = ballDirY == dir::kUp ? tenth : -tenth;
    ballStepY = single(double{ballStepY} + deflectY);

    const float limit = players == 1 ? kOnePlayerLimit : kTwoPlayerLimit;
    if (ballStepY > limit) {
        ballStepY = limit;
    }
    if (ballStepY < -limit) {
        ballStepY = -limit;
    }
}

}  // namespace zarb
