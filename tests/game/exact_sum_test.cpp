// A sum kept exactly and rounded once to single precision: to the nearest value, and from a tie
// to the one with an even last digit, however far below the kept digits the sum reaches.

#include "game/exact_sum.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

struct SumRow {
    const char* name;
    float first, second, third, fourth;
    float wantSingle;
};
using ExactSums = ::testing::TestWithParam<SumRow>;

TEST_P(ExactSums, RoundOnceToTheNearestSingle) {
    const SumRow& row = GetParam();
    EXPECT_EQ(exactSingleSum({row.first, row.second, row.third, row.fourth}), row.wantSingle);
    EXPECT_EQ(exactSingleSum({row.fourth, row.third, row.second, row.first}), row.wantSingle);
    EXPECT_EQ(exactSingleSum({-row.first, -row.second, -row.third, -row.fourth}), -row.wantSingle);
}

// 2^24 is 16777216, where a float's steps grow to 2; a double's steps there are 2^-28.
const SumRow kSumRows[] = {
    {"a tie goes down to the even neighbour", 16777216, 1, 0, 0, 16777216},
    {"a tie goes up to the even neighbour", 16777216, 3, 0, 0, 16777220},
    {"a hair above the tie goes up", 16777216, 1, 0x1p-30f, 0, 16777218},
    {"a hair below the tie goes down", 16777216, 3, -0x1p-30f, 0, 16777218},
    {"a double's step less a hair above the tie goes up", 16777216, 1, 0x1p-28f, -0x1p-60f,
     16777218},
    {"a quarter step above goes down", 33554432, 1, 0, 0, 33554432},
    {"three quarters of a step go up", 33554432, 3, 0, 0, 33554436},
    {"a one lost to a large term comes back", 0x1p60f, 1, -0x1p60f, 0, 1},
    {"a large term cancelled leaves a tie", 0x1p80f, 16777216, 1, -0x1p80f, 16777216},
    {"terms that cancel leave the finest", 0x1p100f, 0x1p-149f, -0x1p100f, 0, 0x1p-149f},
    {"a sum beyond single precision is infinite", 0x1p127f, 0x1p127f, 0, 0, INFINITY},
};
INSTANTIATE_TEST_SUITE_P(Rows, ExactSums, ::testing::ValuesIn(kSumRows), rowName<SumRow>);

}  // namespace
}  // namespace zarb::testing
