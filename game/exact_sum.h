#pragma once

// A sum of single-precision values worked exactly and rounded once to single precision. A
// double is exact for the sum of two floats, but not for a longer sum: 16777216 + 1 + 2^-30 is
// 16777217 in double, a tie that single precision rounds down, where the exact sum rounds up.

#include <initializer_list>

namespace zarb {

// The sum rounded to the nearest single-precision value, ties to even. A term that is not
// finite makes the sum what floating point makes of it.
float exactSingleSum(std::initializer_list<float> terms);

}  // namespace zarb
