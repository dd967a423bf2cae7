#include "headless/values.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>

#include "headless/json.h"

namespace zarb::headless {

namespace {

constexpr std::uint64_t kLongestRunMicroseconds = 86'400'000'000;

// A plain decimal: digits with an optional point, sign and exponent; no inf, nan or hex.
bool looksDecimal(std::string_view text) {
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
    }
    std::size_t digits = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        ++at, ++digits;
    }
    if (at < text.size() && text[at] == '.') {
        ++at;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            ++at, ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            ++at;
        }
        std::size_t exponentDigits = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            ++at, ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return false;
        }
    }
    return at == text.size();
}

// Where the first significant digit of a plain decimal stands: 0 for the units, -1 for the
// tenths, 2 for the hundreds. Reads the exponent with saturation, so 1e-99999999999999999999
// still counts as tiny; a decimal of zeros only is not asked about.
long long leadingDigitPlace(std::string_view text) {
    constexpr long long kFarOut = 1'000'000'000'000LL;
    std::size_t at = text[0] == '+' || text[0] == '-' ? 1 : 0;
    long long place = -1;  // the units' place is 0: a digit before the point adds one
    bool seenPoint = false;
    bool seenSignificant = false;
    for (; at < text.size() && text[at] != 'e' && text[at] != 'E'; ++at) {
        if (text[at] == '.') {
            seenPoint = true;
        } else if (!seenSignificant && text[at] == '0') {
            place -= seenPoint ? 1 : 0;
        } else if (!seenSignificant) {
            seenSignificant = true;
            place += seenPoint ? 0 : 1;
        } else if (!seenPoint) {
            ++place;
        }
    }
    long long exponent = 0;
    if (at < text.size()) {
        ++at;
        const bool negative = text[at] == '-';
        at += text[at] == '+' || text[at] == '-' ? 1 : 0;
        for (; at < text.size(); ++at) {
            exponent = std::min(exponent * 10 + (text[at] - '0'), kFarOut);
        }
        exponent = negative ? -exponent : exponent;
    }
    return place + exponent;
}

// A plain decimal read as the nearest value of type T: nothing if it is not a plain decimal or
// lies beyond T's largest value; too close to zero for T, it reads as zero of its sign.
template <typename T>
std::optional<T> nearestValue(std::string_view text) {
    if (!looksDecimal(text)) {
        return std::nullopt;
    }
    const std::string_view number = text[0] == '+' ? text.substr(1) : text;
    T value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (leadingDigitPlace(text) >= 0) {
            return std::nullopt;
        }
        return number[0] == '-' ? -T{0} : T{0};
    }
    if (result.ec != std::errc() || result.ptr != number.data() + number.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// The words of a line, up to a word that starts a comment.
std::vector<Word> splitWords(std::string_view line) {
    std::vector<Word> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && isBlank(line[at])) {
            ++at;
        }
        if (at >= line.size() || line[at] == '#') {
            break;
        }
        const std::size_t start = at;
        while (at < line.size() && !isBlank(line[at])) {
            ++at;
        }
        words.push_back({line.substr(start, at - start), at});
    }
    return words;
}

std::string quoted(std::string_view text) {
    constexpr std::size_t kLongest = 60;
    std::string shown(text.substr(0, kLongest));
    for (char& c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7f) {
            c = '?';
        }
    }
    return "'" + shown + (text.size() > kLongest ? "...'" : "'");
}

long long wholeNumber(std::string_view text, long long lowest, long long highest,
                      const char* what) {
    std::string_view digits = text;
    if (!digits.empty() && digits[0] == '+') {
        digits.remove_prefix(1);
    }
    long long value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    // One sign at most: "+-5" and "++5" are not whole numbers.
    const bool secondSign = text.size() > 1 && text[0] == '+' && (text[1] == '+' || text[1] == '-');
    if (digits.empty() || secondSign || result.ec != std::errc() ||
        result.ptr != digits.data() + digits.size() || value < lowest || value > highest) {
        throw LineError(std::string(what) + " must be a whole number from " +
                        std::to_string(lowest) + " to " + std::to_string(highest) + ", not " +
                        quoted(text));
    }
    return value;
}

// The nearest single-precision value of a finite decimal that single precision can hold.
float singleDecimal(std::string_view text) {
    const std::optional<float> value = nearestValue<float>(text);
    if (!value) {
        throw LineError("expected a finite decimal that single precision can hold, not " +
                        quoted(text));
    }
    return *value;
}

// Read exactly, digit by digit: runs add up on the clock as their decimals do.
ClockTime runSpan(std::string_view text) {
    const std::optional<ClockTime> span = ClockTime::fromDecimalMs(text);
    if (!span || *span > ClockTime::fromMicroseconds(kLongestRunMicroseconds)) {
        throw LineError("run takes milliseconds from 0 to 86400000, not " + quoted(text));
    }
    return *span;
}

bool flag(std::string_view text) {
    if (text == "true" || text == "1") {
        return true;
    }
    if (text == "false" || text == "0") {
        return false;
    }
    throw LineError("expected true, false, 1 or 0, not " + quoted(text));
}

void expectWords(const std::vector<Word>& words, std::size_t least, std::size_t most) {
    if (words.size() < least) {
        throw LineError(std::string(words[0].text) + ": missing argument");
    }
    if (words.size() > most) {
        throw LineError(std::string(words[0].text) + ": extra argument " +
                        quoted(words[most].text));
    }
}

// The rest of the line is one JSON string, which may be followed by a comment.
std::string caption(std::string_view rest) {
    std::size_t at = 0;
    while (at < rest.size() && isBlank(rest[at])) {
        ++at;
    }
    std::size_t used = 0;
    const std::optional<std::string> text = readJsonString(rest.substr(at), used);
    if (!text) {
        throw LineError("a Caption takes one JSON string");
    }
    at += used;
    const std::size_t tail = at;
    while (at < rest.size() && isBlank(rest[at])) {
        ++at;
    }
    if (at < rest.size() && (rest[at] != '#' || at == tail)) {
        throw LineError("extra argument after the Caption's string");
    }
    return *text;
}

}  // namespace zarb::headless
