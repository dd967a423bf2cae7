#pragma once

// The game's own random generator: reseeded from the clock, it yields uniform numbers from 0 up
// to but excluding 1. Its sequence is fixed by its base and the clock reading, so a scripted run
// with a simulated clock draws the same numbers every time.

#include <cstdint>

namespace zarb {

class GameRandom {
  public:
    // Another base gives other draws for the same clock reading.
    void setBase(std::uint32_t base) { base_ = base; }

    void reseed(double clockMs);

    // Uniform in [0, 1), a multiple of 2^-24 so that it is exact in single precision.
    float draw();

  private:
    std::uint64_t next();

    std::uint32_t base_ = 0;
    std::uint64_t state_ = 0;
};

}  // namespace zarb
