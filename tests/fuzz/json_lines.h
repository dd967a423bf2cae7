#pragma once

// A strict reader of zarb-headless's standard output: every line must be one JSON object
// (RFC 8259), its strings well-formed UTF-8 with control characters escaped.

#include <optional>
#include <string>
#include <string_view>

namespace zarb::fuzz {

// What is wrong with `line` as one JSON object, or nothing if it is one.
std::optional<std::string> jsonObjectProblem(std::string_view line);

}  // namespace zarb::fuzz
