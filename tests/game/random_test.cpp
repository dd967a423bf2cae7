// The serve's random draws follow the clock reading the generator is reseeded from: the same
// reading and base give the same draws, another reading or another base other ones.

#include "game/random.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zarb::testing
