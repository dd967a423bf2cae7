#pragma once

// The little JSON zarb-headless reads and writes: numbers in their shortest single-precision
// spelling, strings with escapes, and the one string a Caption is set from.

#include <optional>
#include <string>
#include <string_view>

namespace zarb::headless {

// The shortest decimal that reads back as the same float; null for a value that is not finite.
std::string jsonNumber(float value);

std::string jsonString(std::string_view text);

// Reads one JSON string at the start of text and, on success, takes it off text. Rejects what
// would not print back as valid JSON (bad escapes, lone surrogates, bad UTF-8).
std::optional<std::string> takeJsonString(std::string_view& text);

}  // namespace zarb::headless
