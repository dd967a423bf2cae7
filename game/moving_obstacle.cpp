// Level 5: the obstacle slides to and fro by 50 twips a tick, and the side faces allow for its
// travel when the ball meets them.

#include "game/field_layout.h"
#include "game/obstacle_faces.h"

namespace zarb {

namespace {

constexpr double kObstacleStep = layout::kObstacleStep;

}  // namespace

void ZarbWindow::moveObstacle() {
    // The turning windows are five steps wide, so a Left off the 50-twip grid is still caught.
    if ((obstacleDir == dir::kSlidingLeft) & (shpObstacle.Left >= 3750) &
        (shpObstacle.Left <= 4000)) {
        obstacleDir = dir::kSlidingRight;
    }
    if ((obstacleDir == dir::kSlidingRight) & (shpObstacle.Left <= 8250) &
        (shpObstacle.Left >= 8000)) {
        obstacleDir = dir::kSlidingLeft;
    }
    if (obstacleDir == dir::kSlidingLeft) {
        shpObstacle.Left = single(shpObstacle.Left - kObstacleStep);
    }
    if (obstacleDir == dir::kSlidingRight) {
        shpObstacle.Left = single(shpObstacle.Left + kObstacleStep);
    }
}

void ZarbWindow::reboundFromMovingObstacle() {
    // The inner bound of each side window follows the obstacle's travel: moving left
    // (kSlidingLeft) it lies 50 further right, so the left face reaches 50 deeper towards a
    // ball coming from the left and the right face 50 less deep; moving right, the other way.
    const double travelShift = obstacleDir == dir::kSlidingLeft ? kObstacleStep : -kObstacleStep;
    ObstacleFaces(imgBall, shpObstacle, speedSetting, ballStepY)
        .rebound(ballDirX, ballDirY, travelShift);
}

}  // namespace zarb
