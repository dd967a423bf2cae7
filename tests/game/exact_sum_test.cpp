// A sum kept exactly and rounded once to single precision: to the nearest value, and from a tie
// to the one with an even last digit, however far below the kept digits the sum reaches.

#include "game/exact_sum.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

struct SumRow {
    const char* name;
    std::int64_t whole;
    float fraction;
    float wantSingle;
};
using ExactSums = ::testing::TestWithParam<SumRow>;

TEST_P(ExactSums, RoundOnceToTheNearestSingle) {
    const SumRow& row = GetParam();
    EXPECT_EQ(ExactSum().plus(row.whole).plus(row.fraction).single(), row.wantSingle);
    EXPECT_EQ(ExactSum().minus(row.whole).minus(row.fraction).single(), -row.wantSingle);
}

const SumRow kSumRows[] = {
    {"a tie goes down to the even neighbour", 16777217, 0, 16777216},
    {"a tie goes up to the even neighbour", 16777219, 0, 16777220},
    {"a hair above the tie goes up", 16777217, 0x1p-20f, 16777218},
    {"a hair below the tie goes down", 16777219, -0x1p-20f, 16777218},
    {"a quarter step above goes down", 33554433, 0, 33554432},
    {"three quarters of a step go up", 33554435, 0, 33554436},
    {"a tie below zero goes to the even neighbour", -16777217, 0, -16777216},
};
INSTANTIATE_TEST_SUITE_P(Rows, ExactSums, ::testing::ValuesIn(kSumRows), rowName<SumRow>);

}  // namespace
}  // namespace zarb::testing
