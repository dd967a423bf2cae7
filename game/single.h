#pragma once

// The game's arithmetic is single precision: every position, step and sum that is compared or
// stored is rounded to a float. Work is done in double (exact for the sums of two floats the game
// makes) and rounded once here, so a reader sees every rounding the rules ask for.

#include <cmath>

namespace zarb {

inline float single(double value) {
    return static_cast<float>(value);
}

// The game's Int: the whole part, rounded down toward minus infinity.
inline double wholePart(double value) {
    return std::floor(value);
}

}  // namespace zarb
