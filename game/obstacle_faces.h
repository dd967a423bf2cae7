#pragma once

// The boxes and margins the obstacle's face tests read, shared by the fixed obstacle of level 2
// and the moving one of level 5. Edges are single-precision sums, as the game compares them.

#include "game/single.h"
#include "game/zarb_window.h"

namespace zarb {

struct ObstacleFaces {
    ObstacleFaces(const Control& ball, const Control& obstacle, std::int32_t speedSetting,
                  float ballStepY)
        : L(ball.Left),
          T(ball.Top),
          R(single(double{ball.Left} + ball.Width)),
          B(single(double{ball.Top} + ball.Height)),
          OL(obstacle.Left),
          OT(obstacle.Top),
          OR(single(double{obstacle.Left} + obstacle.Width)),
          OB(single(double{obstacle.Top} + obstacle.Height)),
          hx(speedSetting / 2.0),
          hy(ballStepY / 2.0) {}

    // The ball's box overlaps the obstacle's height, widened by the signed hy at both ends: a
    // negative ballStepY narrows it.
    bool overlapsHeight() const { return (B >= single(OT - hy)) & (T <= single(OB + hy)); }

    // The top face catches a ball moving down; its first comparison uses the ball's top edge.
    bool meetsTop() const {
        return (T <= single(OT + hy)) & (B >= single(OT - hy)) & (R >= single(OL - hx)) &
               (L <= single(OR + hx));
    }

    // The bottom face catches a ball moving up; its window is empty while ballStepY < 0.
    bool meetsBottom() const {
        return (T >= single(OB - hy)) & (R >= single(OL - hx)) & (T <= single(OB + hy)) &
               (L <= single(OR + hx));
    }

    // The four face tests, always all four, in order, each seeing the directions the ones before
    // it turned: a corner can turn both. travelShift moves the inner bound of both side windows
    // to the right (the moving obstacle's travel in a tick; 0 for the fixed one).
    void rebound(std::int32_t& ballDirX, std::int32_t& ballDirY, double travelShift) const {
        if ((ballDirX == dir::kLeft) & (L >= single(OR - hx + travelShift)) &
            (L <= single(OR + hx)) & overlapsHeight()) {
            ballDirX = dir::kRight;
        }
        if ((ballDirX == dir::kRight) & (R <= single(OL + hx + travelShift)) &
            (R >= single(OL - hx)) & overlapsHeight()) {
            ballDirX = dir::kLeft;
        }
        if ((ballDirY == dir::kDown) & meetsTop()) {
            ballDirY = dir::kUp;
        }
        if ((ballDirY == dir::kUp) & meetsBottom()) {
            ballDirY = dir::kDown;
        }
    }

    float L, T, R, B;
    float OL, OT, OR, OB;
    double hx, hy;
};

}  // namespace zarb
