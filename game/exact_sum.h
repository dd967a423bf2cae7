#pragma once

// A sum of single-precision values and whole numbers kept exactly, then rounded once to single
// precision. A double is exact for the sum of two floats, but a longer sum, or one with a whole
// number beyond 2^24, can lose a digit in double that decides the single-precision result.

#include <array>
#include <cstdint>

namespace zarb {

class ExactSum {
  public:
    ExactSum& plus(float value);
    ExactSum& minus(float value);
    ExactSum& plus(std::int64_t whole);
    ExactSum& minus(std::int64_t whole);

    // The sum rounded to the nearest single-precision value, ties to even. A term that is not
    // finite makes the sum what floating point makes of it.
    float single() const;

  private:
    // Every float and whole number is a whole multiple of the finest float, 2^-149; the sum is
    // kept as that multiple, a two's-complement number of 320 bits, which no float (below
    // 2^128) or 64-bit whole number, nor a sum of a few of them, outgrows.
    static constexpr int kLimbs = 5;
    static constexpr int kFinestPower = 149;
    void add(std::uint64_t magnitude, int shift, bool negative);

    std::array<std::uint64_t, kLimbs> limbs_{};
    double floating_ = 0;  // the same sum in double, for terms that are not finite
    bool finite_ = true;
};

}  // namespace zarb
