#include "game/random.h"

#include <cmath>
#include <cstring>

namespace zarb {

namespace {

// One round of a 64-bit mixer: spreads a small change of the seed over every bit.
std::uint64_t mix(std::uint64_t z) {
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

}  // namespace

void GameRandom::reseed(double clockMs) {
    // The clock reading's bits, whatever its value (a NaN reads as one fixed pattern).
    std::uint64_t clockBits = 0;
    if (!std::isnan(clockMs)) {
        std::memcpy(&clockBits, &clockMs, sizeof clockBits);
    }
    state_ = mix(clockBits ^ (static_cast<std::uint64_t>(base_) << 32 | 0x5a415242ULL));
}

std::uint64_t GameRandom::next() {
    state_ += 0x9e3779b97f4a7c15ULL;
    return mix(state_);
}

float GameRandom::draw() {
    return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f);
}

}  // namespace zarb
