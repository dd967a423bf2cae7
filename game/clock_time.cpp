#include "game/clock_time.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace zarb {

namespace {

constexpr std::uint64_t kLastMicrosecond = std::numeric_limits<std::uint64_t>::max();
constexpr long long kFarOut = 1'000'000'000'000LL;  // an exponent beyond this is as far

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b) {
    return a > kLastMicrosecond - b ? kLastMicrosecond : a + b;
}

// digit × 10^place, or the last microsecond where that does not fit.
std::uint64_t digitValue(int digit, long long place) {
    std::uint64_t value = static_cast<std::uint64_t>(digit);
    for (long long i = 0; i < place; ++i) {
        if (value > kLastMicrosecond / 10) {
            return kLastMicrosecond;
        }
        value *= 10;
    }
    return value;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

ClockTime ClockTime::fromMicroseconds(std::uint64_t microseconds) {
    ClockTime time;
    time.microseconds_ = microseconds;
    return time;
}

std::optional<ClockTime> ClockTime::fromDecimalMs(std::string_view text) {
    std::size_t at = 0;
    const bool negative = at < text.size() && text[at] == '-';
    at += at < text.size() && (text[at] == '+' || text[at] == '-') ? 1 : 0;
    const std::size_t mantissaStart = at;
    std::size_t digits = 0;
    long long wholeDigits = 0;
    bool seenPoint = false;
    for (; at < text.size() && (isDigit(text[at]) || (text[at] == '.' && !seenPoint)); ++at) {
        seenPoint = seenPoint || text[at] == '.';
        digits += isDigit(text[at]) ? 1 : 0;
        wholeDigits += isDigit(text[at]) && !seenPoint ? 1 : 0;
    }
    const std::size_t mantissaEnd = at;
    long long exponent = 0;
    if (digits > 0 && at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        const bool negativeExponent = at < text.size() && text[at] == '-';
        at += at < text.size() && (text[at] == '+' || text[at] == '-') ? 1 : 0;
        const std::size_t exponentStart = at;
        for (; at < text.size() && isDigit(text[at]); ++at) {
            exponent = std::min(exponent * 10 + (text[at] - '0'), kFarOut);
        }
        if (at == exponentStart) {
            return std::nullopt;
        }
        exponent = negativeExponent ? -exponent : exponent;
    }
    if (digits == 0 || at != text.size()) {
        return std::nullopt;
    }

    // The place of each digit in microseconds: 0 for whole microseconds, -1 for tenths of one.
    ClockTime time;
    bool nonzero = false;
    long long place = wholeDigits + exponent + 3;
    for (std::size_t i = mantissaStart; i < mantissaEnd; ++i) {
        if (text[i] == '.') {
            continue;
        }
        --place;
        const int digit = text[i] - '0';
        if (digit == 0) {
            continue;
        }
        nonzero = true;
        if (place >= 0) {
            time.microseconds_ = saturatingAdd(time.microseconds_, digitValue(digit, place));
        } else if (-place <= kFractionDigits) {
            const long long index = -place - 1;  // 0 for the tenths of a microsecond
            time.fraction_[index / kGroupDigits] +=
                digitValue(digit, kGroupDigits - 1 - index % kGroupDigits);
        } else {
            time.beyondKeptDigits_ = true;
        }
    }
    if (negative && nonzero) {
        return std::nullopt;
    }
    return time;
}

ClockTime ClockTime::fromMs(double ms) {
    if (!(ms >= 0) || !std::isfinite(ms)) {
        return {};
    }
    // The shortest decimal that reads back as ms, as a person would have written it: the fewest
    // significant digits that round-trip (the shortest std::to_chars of a double is missing
    // from the web page's standard library).
    char text[32];
    for (int digits = 1; digits <= std::numeric_limits<double>::max_digits10; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, ms);
        if (std::strtod(text, nullptr) == ms) {
            break;
        }
    }
    return fromDecimalMs(text).value_or(ClockTime{});
}

double ClockTime::ms() const {
    return static_cast<double>(microseconds_) / 1000 +
           static_cast<double>(fraction_[0]) / static_cast<double>(kGroup) / 1000;
}

ClockTime ClockTime::operator+(const ClockTime& other) const {
    ClockTime sum;
    std::uint64_t carry = 0;
    for (int i = kGroups - 1; i >= 0; --i) {
        const std::uint64_t group = fraction_[i] + other.fraction_[i] + carry;
        carry = group >= kGroup ? 1 : 0;
        sum.fraction_[i] = group - carry * kGroup;
    }
    // What lies beyond the kept digits of the two is not added up: it only marks the sum.
    sum.beyondKeptDigits_ = beyondKeptDigits_ || other.beyondKeptDigits_;
    sum.microseconds_ = saturatingAdd(saturatingAdd(microseconds_, other.microseconds_), carry);
    return sum;
}

}  // namespace zarb
