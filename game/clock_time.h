#pragma once

// A time on the game's clock, or a span of it, kept exactly for spans written as decimal
// milliseconds: nine spans of 1.1 ms and one of 5.725 ms make exactly 15.625 ms, the first clock
// tick. The time is whole microseconds and the part of a microsecond below them. That part keeps
// a fixed number of decimal digits, so a time takes the same room whatever was added to it; any
// digit beyond them only marks the time as a little more than its kept digits.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <tuple>

namespace zarb {

class ClockTime {
  public:
    // Digits kept below a microsecond: far finer than any span a person writes.
    static constexpr int kFractionDigits = 72;

    ClockTime() = default;
    static ClockTime fromMicroseconds(std::uint64_t microseconds);
    // A decimal number of milliseconds: digits with an optional point and exponent, and a sign
    // that may only be + or belong to a zero. Nothing for any other text or a negative number;
    // a number too large for the clock reads as the clock's last time.
    static std::optional<ClockTime> fromDecimalMs(std::string_view text);
    // A span written as a number in code, read as the shortest decimal that names it (1.1 is
    // 1.1 ms, not the binary fraction nearest it). Negative or not finite, it reads as 0.
    static ClockTime fromMs(double ms);

    std::uint64_t wholeMicroseconds() const { return microseconds_; }
    // The time in milliseconds, as near as a double comes: what reseeding reads.
    double ms() const;

    // The sum; at the clock's last time it stops there.
    ClockTime operator+(const ClockTime& other) const;

    // Earlier and later by the whole microseconds, then the kept digits below them, then
    // whatever lies beyond those.
    friend bool operator==(const ClockTime& a, const ClockTime& b);
    friend bool operator<(const ClockTime& a, const ClockTime& b);

  private:
    auto order() const { return std::tie(microseconds_, fraction_, beyondKeptDigits_); }

    // The part below a microsecond in groups of 18 decimal digits, the first group the highest.
    static constexpr int kGroupDigits = 18;
    static constexpr std::uint64_t kGroup = 1'000'000'000'000'000'000ULL;
    static constexpr int kGroups = kFractionDigits / kGroupDigits;

    std::uint64_t microseconds_ = 0;
    std::array<std::uint64_t, kGroups> fraction_{};
    bool beyondKeptDigits_ = false;  // a nonzero digit below the kept ones
};

inline bool operator==(const ClockTime& a, const ClockTime& b) {
    return a.order() == b.order();
}
inline bool operator<(const ClockTime& a, const ClockTime& b) {
    return a.order() < b.order();
}
inline bool operator>(const ClockTime& a, const ClockTime& b) {
    return b < a;
}
inline bool operator<=(const ClockTime& a, const ClockTime& b) {
    return !(b < a);
}

}  // namespace zarb
