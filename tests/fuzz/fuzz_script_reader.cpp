// libFuzzer target for zarb-headless's script reader: the input is a script, read line by line
// exactly as the program reads it. Only crashes, sanitizer reports and hangs count.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "tools/headless/script_runner.h"

namespace {

// A script may rightly ask for days of simulated time or ten million runs of a handler, and
// one such line takes a second or so here. The fuzzer looks for faults in the reader, not for
// long scripts, so an input stops being read once it has asked for this much.
constexpr double kMostSimulatedMs = 2 * 86400000.0;
constexpr std::uint64_t kMostBigCounts = 2;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// A handler line with a count of ten thousand or more: a costly line that nothing else bounds.
bool asksForManyRuns(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && isBlank(line[at])) {
        ++at;
    }
    const std::size_t nameStart = at;
    while (at < line.size() && !isBlank(line[at])) {
        ++at;
    }
    const std::string_view name = line.substr(nameStart, at - nameStart);
    for (const std::string_view command :
         {"run", "set", "get", "state", "seed", "click", "close", "Form_KeyDown", "Form_KeyUp"}) {
        if (name == command) {
            return false;
        }
    }
    while (at < line.size() && isBlank(line[at])) {
        ++at;
    }
    at += at < line.size() && line[at] == '+' ? 1 : 0;
    std::size_t significant = 0;
    for (; at < line.size() && line[at] >= '0' && line[at] <= '9'; ++at) {
        significant += significant > 0 || line[at] != '0' ? 1 : 0;
    }
    return significant > 4;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ostringstream out, err;
    zarb::headless::ScriptRunner runner(out, err);
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::string line;
    long lineNumber = 0;
    std::uint64_t bigCounts = 0;
    while (std::getline(in, line)) {
        bigCounts += asksForManyRuns(line) ? 1 : 0;
        if (bigCounts > kMostBigCounts || runner.program().clock().nowMs() > kMostSimulatedMs ||
            !runner.runLine(line, ++lineNumber)) {
            break;
        }
        // What the reader keeps printing is not looked at: drop it as it comes.
        out.str("");
        err.str("");
    }
    return 0;
}
