// tmrBall_Timer: one tick of the ball, its phases in their fixed order, with the ball's step and
// the ceiling and floor bounces.

#include <cmath>

#include "game/single.h"
#include "game/zarb_window.h"

namespace zarb {

namespace {

// The floor is this fixed 8000, not the score bar's top: the ball turns when its bottom edge
// comes within 10 twips of the bar.
constexpr float kFloor = 8000;

}  // namespace

void ZarbWindow::tmrBall_Timer() {
    moveBall();
    predictArrival();
    scorePoints();
    bounceOffCeilingAndFloor();
    hitPaddles();
    playLevelFeature();
}

void ZarbWindow::moveBall() {
    // On level 3 the second picture takes exactly the same step as the first.
    const bool twoPictures = level == 3;
    if (ballDirX == dir::kRight) {
        imgBall.Left = single(double{imgBall.Left} + speedSetting);
        if (twoPictures) {
            imgBall2.Left = single(double{imgBall2.Left} + speedSetting);
        }
    }
    if (ballDirX == dir::kLeft) {
        imgBall.Left = single(double{imgBall.Left} - speedSetting);
        if (twoPictures) {
            imgBall2.Left = single(double{imgBall2.Left} - speedSetting);
        }
    }
    // The ball moves by the magnitude of ballStepY; ballDirY alone says which way.
    const double stepY = std::fabs(double{ballStepY});
    if (ballDirY == dir::kUp) {
        imgBall.Top = single(imgBall.Top - stepY);
        if (twoPictures) {
            imgBall2.Top = single(imgBall2.Top - stepY);
        }
    }
    if (ballDirY == dir::kDown) {
        imgBall.Top = single(imgBall.Top + stepY);
        if (twoPictures) {
            imgBall2.Top = single(imgBall2.Top + stepY);
        }
    }
}

void ZarbWindow::bounceOffCeilingAndFloor() {
    // Both parts of each test are evaluated (&, not &&), as the game does. The ceiling uses the
    // signed ballStepY: a negative step lets the ball rise beyond the top edge before it turns.
    // Half a step is exact in double, even half the finest step single precision holds.
    if ((level != 3) & (imgBall.Top <= double{ballStepY} / 2)) {
        ballDirY = dir::kDown;
    }
    if ((level != 3) & (imgBall.Top >= kFloor)) {
        ballDirY = dir::kUp;
    }
}

void ZarbWindow::playLevelFeature() {
    switch (level) {
        case 2:
            reboundFromObstacle();
            break;
        case 3:
            wrapAround();
            break;
        case 4:
            hideInZones();
            break;
        case 5:
            moveObstacle();
            reboundFromMovingObstacle();
            break;
        default:
            break;
    }
}

}  // namespace zarb
