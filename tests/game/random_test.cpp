// The serve's random draws follow the clock reading the generator is reseeded from: the same
// reading and base give the same draws, another reading or another base other ones.

#include "game/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace zarb::testing {
namespace {

TEST(GameRandom, ReseedingFromTheClockChoosesTheDraws) {
    GameRandom first, again, later, otherBase;
    first.reseed(1000);
    again.reseed(1000);
    later.reseed(2000);
    otherBase.setBase(7);
    otherBase.reseed(1000);
    const float draw = first.draw();
    EXPECT_EQ(again.draw(), draw);
    EXPECT_NE(later.draw(), draw);
    EXPECT_NE(otherBase.draw(), draw);
    // Reseeding at the same reading starts the same draws afresh.
    first.draw();
    first.reseed(1000);
    EXPECT_EQ(first.draw(), draw);
}

// A serve's direction takes a draw below or from one half, its step a draw over the tenths:
// the draws fill the whole range from 0 up to 1, and never reach it.
TEST(GameRandom, DrawsFillTheRangeFromZeroUpToOne) {
    GameRandom random;
    random.reseed(1000);
    std::vector<float> draws(1000);
    std::generate(draws.begin(), draws.end(), [&random] { return random.draw(); });
    const auto [least, most] = std::minmax_element(draws.begin(), draws.end());
    EXPECT_GE(*least, 0);
    EXPECT_LT(*least, 0.01f);
    EXPECT_GT(*most, 0.99f);
    EXPECT_LT(*most, 1);
}

}  // namespace
}  // namespace zarb::testing
