#pragma once

// The field's coordinates in twips, named once: where the ball rests and is served from, where
// the obstacle stands, and the lines the computer opponent watches. The handlers that lay the
// field out (Form_Load, End Game, the serve, a point, the Level menu) each use these in their own
// way, and where they differ on purpose the difference is theirs, not a typing slip.

#include <cstdint>

namespace zarb::layout {

// The ball's home in the middle of the field, where it rests and is served from.
inline constexpr float kBallHomeLeft = 5760;
inline constexpr float kBallHomeTop = 3720;
// On a level with an obstacle the ball is served from above it, at this height.
inline constexpr float kServeAboveObstacleTop = 875;
// A point on a level with an obstacle puts the ball above it at the obstacle's own Left, ten
// twips left of the ball's home.
inline constexpr float kBallAboveObstacleLeft = 5750;

// The obstacle's place in the middle of the field, where each layout puts it back.
inline constexpr float kObstacleLeft = 5750;
// On level 5 the obstacle slides this far on each tick of the ball timer.
inline constexpr float kObstacleStep = 50;

// The computer opponent works out where a steep ball will arrive once the ball's Left has
// passed this line; the obstacle's levels move the line nearer the computer's paddle.
inline constexpr std::int32_t kPredictionLine = 4000;
inline constexpr std::int32_t kPredictionLineBeyondObstacle = 6500;

// The paddle's middle, where a hit is measured from and the computer aims, lies this far below
// its Top. A double, so that the sums it enters are worked out exactly before their one rounding.
inline constexpr double kPaddleMiddle = 800;

// The levels whose field has the obstacle: level 2 stands it still, level 5 slides it.
inline constexpr bool hasObstacle(std::int32_t level) {
    return level == 2 || level == 5;
}

}  // namespace zarb::layout
