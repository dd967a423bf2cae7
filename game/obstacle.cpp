// Level 2: the ball rebounds from the four faces of the fixed obstacle. A rebound turns a
// direction only; the turned direction takes effect with the next tick's step.

#include "game/obstacle_faces.h"

namespace zarb {

void ZarbWindow::reboundFromObstacle() {
    // The positions cannot change within this phase, so one reading serves all four tests.
    ObstacleFaces(imgBall, shpObstacle, speedSetting, ballStepY).rebound(ballDirX, ballDirY, 0);
}

}  // namespace zarb
