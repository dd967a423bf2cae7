#pragma once

// Random zarb-headless scripts: valid and invalid lines of every command and name the program
// knows, numbers at and beyond every range, unknown names, binary bytes and very long lines.

#include <cstdint>
#include <string>

namespace zarb::fuzz {

struct ScriptShape {
    int mostLines = 120;
    // A chance in 1000 per script of one line that is valid but costly: a day of simulated time
    // or a handler run ten million times.
    unsigned costlyPerMille = 4;
    // A chance in 1000 per line of a line that ends the program (Exit, a closed window, ...).
    unsigned endingPerMille = 4;
};

// The script of number `index` in the run of `seed`: the same pair always gives the same text.
std::string randomScript(std::uint64_t seed, std::uint64_t index, const ScriptShape& shape = {});

}  // namespace zarb::fuzz
