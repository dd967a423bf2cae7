// Level 5: the obstacle slides to and fro by 50 twips a tick, and the side faces allow for its
// travel when the ball meets them.

#include "game/obstacle_faces.h"

namespace zarb {

namespace {

constexpr double kObstacleStep = 50;

}  // namespace

void ZarbWindow::moveObstacle() {
    // The turning windows are five steps wide, so a Left off the 50-twip grid is still caught.
    if ((obstacleDir == 0) & (shpObstacle.Left >= 3750) & (shpObstacle.Left <= 4000)) {
        obstacleDir = 1;
    }
    if ((obstacleDir == 1) & (shpObstacle.Left <= 8250) & (shpObstacle.Left >= 8000)) {
        obstacleDir = 0;
    }
    if (obstacleDir == 0) {
        shpObstacle.Left = single(shpObstacle.Left - kObstacleStep);
    }
    if (obstacleDir == 1) {
        shpObstacle.Left = single(shpObstacle.Left + kObstacleStep);
    }
}

void ZarbWindow::reboundFromMovingObstacle() {
    // The inner bound of each side window follows the obstacle's travel: moving left
    // (obstacleDir 0) it lies 50 further right, so the left face reaches 50 deeper towards a
    // ball coming from the left and the right face 50 less deep; moving right, the other way.
    const double travelShift = obstacleDir == 0 ? kObstacleStep : -kObstacleStep;
    ObstacleFaces(imgBall, shpObstacle, speedSetting, ballStepY)
        .rebound(ballDirX, ballDirY, travelShift);
}

}  // namespace zarb
