#include "game/exact_sum.h"

#include <cmath>
#include <cstring>

namespace zarb {

namespace {

constexpr int kBits = 64;

}  // namespace

ExactSum& ExactSum::plus(float value) {
    floating_ += value;
    if (!std::isfinite(value)) {
        finite_ = false;
        return *this;
    }
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const int exponent = static_cast<int>((bits >> 23) & 0xff);
    std::uint64_t mantissa = bits & 0x7fffff;
    // A normal float is (2^23 + mantissa) × 2^(exponent - 150); a subnormal is mantissa × 2^-149.
    if (exponent != 0) {
        mantissa |= 0x800000;
    }
    add(mantissa, exponent == 0 ? 0 : exponent - 1, (bits >> 31) != 0);
    return *this;
}

ExactSum& ExactSum::minus(float value) {
    return plus(-value);
}

ExactSum& ExactSum::plus(std::int64_t whole) {
    floating_ += static_cast<double>(whole);
    const bool negative = whole < 0;
    const std::uint64_t magnitude =
        negative ? ~static_cast<std::uint64_t>(whole) + 1 : static_cast<std::uint64_t>(whole);
    add(magnitude, kFinestPower, negative);
    return *this;
}

ExactSum& ExactSum::minus(std::int64_t whole) {
    floating_ -= static_cast<double>(whole);
    const bool negative = whole > 0;
    const std::uint64_t magnitude =
        negative ? static_cast<std::uint64_t>(whole) : ~static_cast<std::uint64_t>(whole) + 1;
    add(magnitude, kFinestPower, negative);
    return *this;
}

// Adds or takes away magnitude × 2^shift multiples of the finest float.
void ExactSum::add(std::uint64_t magnitude, int shift, bool negative) {
    std::array<std::uint64_t, kLimbs> term{};
    const int limb = shift / kBits;
    const int bit = shift % kBits;
    term[limb] = magnitude << bit;
    if (bit != 0 && limb + 1 < kLimbs) {
        term[limb + 1] = magnitude >> (kBits - bit);
    }
    if (negative) {
        // Two's complement: invert every bit and add one.
        std::uint64_t carry = 1;
        for (std::uint64_t& word : term) {
            word = ~word + carry;
            carry = carry != 0 && word == 0 ? 1 : 0;
        }
    }
    std::uint64_t carry = 0;
    for (int i = 0; i < kLimbs; ++i) {
        const std::uint64_t partial = limbs_[i] + term[i];
        const std::uint64_t sum = partial + carry;
        carry = (partial < limbs_[i] || sum < partial) ? 1 : 0;
        limbs_[i] = sum;
    }
}

float ExactSum::single() const {
    if (!finite_) {
        return static_cast<float>(floating_);
    }
    std::array<std::uint64_t, kLimbs> magnitude = limbs_;
    const bool negative = (magnitude[kLimbs - 1] >> (kBits - 1)) != 0;
    if (negative) {
        std::uint64_t carry = 1;
        for (std::uint64_t& word : magnitude) {
            word = ~word + carry;
            carry = carry != 0 && word == 0 ? 1 : 0;
        }
    }
    auto bitAt = [&](int i) { return (magnitude[i / kBits] >> (i % kBits)) & 1; };
    int top = kLimbs * kBits - 1;
    while (top >= 0 && bitAt(top) == 0) {
        --top;
    }
    if (top < 0) {
        return 0;
    }
    // Keep the top 24 bits; below 2^24 multiples of the finest float every bit is kept
    // (the subnormals and the lowest normals).
    const int drop = top < 24 ? 0 : top - 23;
    std::uint64_t kept = 0;
    for (int i = top; i >= drop; --i) {
        kept = kept << 1 | bitAt(i);
    }
    if (drop > 0 && bitAt(drop - 1) != 0) {
        bool below = false;
        for (int i = drop - 2; i >= 0 && !below; --i) {
            below = bitAt(i) != 0;
        }
        // Past the halfway point, or exactly on it with an odd last kept bit: round up.
        if (below || (kept & 1) != 0) {
            ++kept;
        }
    }
    const float rounded = std::ldexp(static_cast<float>(kept), drop - kFinestPower);
    return negative ? -rounded : rounded;
}

}  // namespace zarb
