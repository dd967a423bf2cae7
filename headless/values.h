#pragma once

// How zarb-headless reads a script line: its words, and the values its commands take, each
// checked against what the command accepts. A line that cannot be carried out is a LineError:
// it changes nothing and the script goes on.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "game/clock_time.h"

namespace zarb::headless {

struct LineError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Word {
    std::string_view text;
    std::size_t end;  // where the word ends in its line
};

// What parts the words of a line.
inline constexpr std::string_view kBlanks = " \t\r\v\f";

// The words of a line, up to a word that starts a comment.
std::vector<Word> splitWords(std::string_view line);

// A word as an error message shows it: quoted, cut short, with unprintable bytes as '?'.
std::string quoted(std::string_view text);

// The line's command takes from least to most words, its own name included.
void expectWords(const std::vector<Word>& words, std::size_t least, std::size_t most);

// A whole number from lowest to highest; what names it in the error.
long long wholeNumber(std::string_view text, long long lowest, long long highest, const char* what);

// The nearest single-precision value of a finite decimal that single precision can hold.
float singleDecimal(std::string_view text);

// The milliseconds of a run line, from 0 to a day.
ClockTime runSpan(std::string_view text);

// true, false, 1 or 0.
bool flag(std::string_view text);

// The rest of a set line for a Caption: one JSON string, which may be followed by a comment.
std::string caption(std::string_view rest);

}  // namespace zarb::headless
