#include "headless/values.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>

#include "headless/json.h"

namespace zarb::headless {

namespace {

constexpr std::uint64_t kLongestRunMicroseconds = 86'400'000'000;

// from_chars reads a minus sign but no plus: a plus sign is taken off, unless a minus follows
// it, which leaves a text that is no number.
std::string_view withoutPlus(std::string_view text) {
    return text.starts_with('+') && !text.starts_with("+-") ? text.substr(1) : text;
}

// Reads the whole text as a T; a text that only begins with one is no number.
template <typename T>
std::errc readWhole(std::string_view text, T& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return end == text.data() + text.size() ? error : std::errc::invalid_argument;
}

// Where the first significant digit of a plain decimal stands: 0 for the units, -1 for the
// tenths, 2 for the hundreds. Reads the exponent with saturation, so 1e-99999999999999999999
// still counts as tiny; a decimal of zeros only is not asked about.
long long leadingDigitPlace(std::string_view number) {
    constexpr long long kFarOut = 1'000'000'000'000LL;
    const std::size_t e = std::min(number.find_first_of("eE"), number.size());
    const std::string_view mantissa = number.substr(0, e);
    const std::size_t first = mantissa.find_first_of("123456789");
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const long long place = first < point ? static_cast<long long>(point - first - 1)
                                          : -static_cast<long long>(first - point);
    const std::string_view exponentText =
        withoutPlus(number.substr(std::min(e + 1, number.size())));
    long long exponent = 0;
    for (const char digit : exponentText.substr(exponentText.starts_with('-'))) {
        exponent = std::min(exponent * 10 + (digit - '0'), kFarOut);
    }
    return place + (exponentText.starts_with('-') ? -exponent : exponent);
}

// A plain decimal read as the nearest value of type T: nothing if it is not a plain decimal or
// lies beyond T's largest value; too close to zero for T, it reads as zero of its sign. What
// from_chars reads, less inf and nan, is a plain decimal; a plus sign it leaves to us.
template <typename T>
std::optional<T> nearestValue(std::string_view text) {
    const std::string_view number = withoutPlus(text);
    T value{};
    const std::errc error = readWhole(number, value);
    if (error == std::errc::result_out_of_range) {
        if (leadingDigitPlace(number) >= 0) {
            return std::nullopt;
        }
        return number.starts_with('-') ? -T{0} : T{0};
    }
    if (error != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

// The words of a line, up to a word that starts a comment.
std::vector<Word> splitWords(std::string_view line) {
    std::vector<Word> words;
    std::size_t start = line.find_first_not_of(kBlanks);
    while (start != std::string_view::npos && line[start] != '#') {
        const std::size_t end = std::min(line.find_first_of(kBlanks, start), line.size());
        words.push_back({line.substr(start, end - start), end});
        start = line.find_first_not_of(kBlanks, end);
    }
    return words;
}

std::string quoted(std::string_view text) {
    constexpr std::size_t kLongest = 60;
    std::string shown(text.substr(0, kLongest));
    for (char& c : shown) {
        if (std::isprint(static_cast<unsigned char>(c)) == 0) {
            c = '?';
        }
    }
    return "'" + shown + (text.size() > kLongest ? "...'" : "'");
}

long long wholeNumber(std::string_view text, long long lowest, long long highest,
                      const char* what) {
    long long value{};
    if (readWhole(withoutPlus(text), value) != std::errc() || value < lowest || value > highest) {
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
    rest.remove_prefix(std::min(rest.find_first_not_of(kBlanks), rest.size()));
    const std::optional<std::string> text = takeJsonString(rest);
    if (!text) {
        throw LineError("a Caption takes one JSON string");
    }
    // After the string: nothing, or blanks and then a comment.
    const std::size_t next = rest.find_first_not_of(kBlanks);
    if (next != std::string_view::npos && (rest[next] != '#' || next == 0)) {
        throw LineError("extra argument after the Caption's string");
    }
    return *text;
}

}  // namespace zarb::headless
