// Level 2: the ball rebounds from the four faces of the fixed obstacle. A rebound turns a
// direction only; the turned direction takes effect with the next tick's step.

#include "game/obstacle_faces.h"

namespace zarb {

void ZarbWindow::reboundFromObstacle() {
    // The positions cannot change within this phase, so one reading serves all four tests; the
    // directions are read afresh, since a corner can turn both in one tick.
    const ObstacleFaces f(imgBall, shpObstacle, speedSetting, ballStepY);
    if ((ballDirX == 2) & (f.L >= single(f.OR - f.hx)) & (f.L <= single(f.OR + f.hx)) &
        f.overlapsHeight()) {
        ballDirX = 1;
    }
    if ((ballDirX == 1) & (f.R <= single(f.OL + f.hx)) & (f.R >= single(f.OL - f.hx)) &
        f.overlapsHeight()) {
        ballDirX = 2;
    }
    if ((ballDirY == 2) & f.meetsTop()) {
        ballDirY = 1;
    }
    if ((ballDirY == 1) & f.meetsBottom()) {
        ballDirY = 2;
    }
}

}  // namespace zarb
