// The computer opponent of one-player mode: its steering of the right paddle, one move per
// tmrRight tick, and the arrival prediction the ball tick makes as the ball crosses
// predictionLine. It watches imgBall only and draws no random numbers.

#include <cmath>

#include "game/field_layout.h"
#include "game/single.h"
#include "game/zarb_window.h"

namespace zarb {

namespace {

constexpr float kDeadZone = 100;  // also the ballStepY that parts shallow from steep balls
constexpr float kDriftHomeBelow = 6000;
constexpr float kTrackFrom = 6500;
constexpr float kMeetPredictedFrom = 7500;
constexpr double kHomeHeight = 4000;
constexpr float kHomeTop = 3200;

}  // namespace

void ZarbWindow::steerOpponent() {
    // Every condition is evaluated in full (&, |), as the game does.
    const bool shallowAndClose = (ballDirX == dir::kRight) & (imgBall.Left >= kTrackFrom) &
                                 (ballStepY < kDeadZone) & (ballStepY > -kDeadZone);
    const bool steep =
        (ballDirX == dir::kRight) & ((ballStepY > kDeadZone) | (ballStepY < -kDeadZone));
    const bool goingAwayOrFar = (ballDirX == dir::kLeft) | (imgBall.Left < kDriftHomeBelow);

    if (shallowAndClose) {
        opponentGap = single((imgRight.Top + layout::kPaddleMiddle) - imgBall.Top);
        if (opponentGap > kDeadZone) {
            stepUp(imgRight);
        }
        if (opponentGap < -kDeadZone) {
            stepDown(imgRight, false);
        }
    } else if (steep) {
        // Left of 6500 neither line writes opponentGap: the kept value steers the paddle.
        if ((imgBall.Left >= kTrackFrom) & (imgBall.Left < kMeetPredictedFrom)) {
            opponentGap = single((imgRight.Top + layout::kPaddleMiddle) - imgBall.Top);
        }
        if (imgBall.Left >= kMeetPredictedFrom) {
            opponentGap =
                single(double{single(imgRight.Top + layout::kPaddleMiddle)} - predictedTop);
        }
        if (opponentGap > kDeadZone) {
            stepUp(imgRight);
        }
        if (opponentGap < -kDeadZone) {
            stepDown(imgRight, false);
        }
    } else if (goingAwayOrFar) {
        opponentHomeGap = single((imgRight.Top + layout::kPaddleMiddle) - kHomeHeight);
        if (opponentHomeGap > kDeadZone) {
            stepUp(imgRight);
        } else if (opponentHomeGap < -kDeadZone) {
            stepDown(imgRight, false);
        }
    } else {
        imgRight.Top = kHomeTop;
    }
}

void ZarbWindow::predictArrival() {
    // The line is one step wide, so the ball crosses it on one tick (two, if it lands exactly
    // on both of its ends). The line and its far end are whole numbers, compared with the
    // ball's position as the numbers they are (double holds both exactly).
    const double lineEnd = static_cast<double>(std::int64_t{predictionLine} + speedSetting);
    if (!((players == 1) & (ballDirX == dir::kRight) & (double{imgBall.Left} >= predictionLine) &
          (double{imgBall.Left} <= lineEnd))) {
        return;
    }
    // The bracket adds the ball's width: it is not the gap between ball and paddle.
    ticksToPaddle =
        single(double{single(double{imgRight.Left} - imgBall.Left + imgBall.Width)} / speedSetting);
    travelY = single(double{ticksToPaddle} * std::fabs(double{ballStepY}));
    // The ball is taken as a point at its Top, moving between 0 and the score bar's top.
    if (ballDirY == dir::kUp) {
        edgeDistance = imgBall.Top;
        aimDir = dir::kTopEdge;
    } else {
        edgeDistance = single(double{lblLabel.Top} - imgBall.Top);
        aimDir = dir::kFloorEdge;
    }
    // A ball that reaches the paddle before any edge has no travel left to fold. The fold below
    // still runs once, and with no travel it puts predictedTop on the edge the ball is heading
    // for (0 moving up, the score bar's top moving down; the other way round on level 3): the
    // ball's height at the paddle is never stored.
    travelY = travelY > edgeDistance ? single(double{travelY} - edgeDistance) : 0;
    // Fold the remaining travel at the edges until it is used up. A fold that no longer changes
    // the travel (a field of height 0, or one too thin to tell at so long a travel, which only a
    // state written from outside makes) would never use it up: the folding stops there.
    do {
        const float fieldHeight = lblLabel.Top;
        if (travelY > fieldHeight) {
            const float before = travelY;
            travelY = single(double{travelY} - fieldHeight);
            // On level 3 the ball passes through the edge and keeps its direction.
            if (level != 3) {
                aimDir = single(double{dir::kTopEdge + dir::kFloorEdge} - aimDir);
            }
            if (travelY == before) {
                break;
            }
        } else {
            const bool fromTheTop = (aimDir == dir::kTopEdge) == (level != 3);
            predictedTop = fromTheTop ? travelY : single(double{fieldHeight} - travelY);
            travelY = 0;
        }
    } while (travelY > 0);
}

}  // namespace zarb
