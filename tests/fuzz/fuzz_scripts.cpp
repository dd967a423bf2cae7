// libFuzzer target for zarb-headless: the input is a script, run line by line through the
// program's own reader and runner on its simulated platform. Whatever the script holds, every
// line printed is one JSON object, nothing follows the end of the program, every error names the
// line it comes from, and the same script prints the same lines a second time. A broken promise
// aborts, so libFuzzer keeps the script; zarb-replay-scripts runs the same checks over saved
// scripts in the builds without libFuzzer.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>

#include "tools/headless/script_runner.h"

namespace {

// A script may rightly ask for days of simulated time or ten million runs of a handler, and one
// such line takes a second or so. The fuzzer looks for faults, not for long scripts, so a script
// stops being read once it has asked for this much.
constexpr double kMostSimulatedMs = 2 * 86400000.0;
constexpr int kMostBigCounts = 2;

[[noreturn]] void broken(const std::string& promise, std::string_view line) {
    std::fprintf(stderr, "zarb-headless broke a promise: %s\n  at: %.300s\n", promise.c_str(),
                 std::string(line).c_str());
    std::abort();
}

// A handler asked to run ten thousand times or more: a costly line that nothing else bounds.
bool asksForManyRuns(std::string_view line) {
    const std::size_t nameEnd = line.find_first_of(" \t", line.find_first_not_of(" \t"));
    if (nameEnd == std::string_view::npos || line.substr(0, nameEnd).find("_") == line.npos) {
        return false;
    }
    std::size_t digits = 0;
    for (const char c : line.substr(nameEnd)) {
        digits += (c >= '1' && c <= '9') || (digits > 0 && c == '0') ? 1 : 0;
    }
    return digits > 4;
}

// Runs the script and checks each line's output as it comes; returns everything printed.
std::string runChecked(const std::string& script) {
    std::ostringstream out, err, all;
    zarb::headless::ScriptRunner runner(out, err);
    std::istringstream in(script);
    std::string line;
    long lineNumber = 0;
    int bigCounts = 0;
    bool ended = false;
    bool anyErrorLine = false;
    while (std::getline(in, line)) {
        bigCounts += asksForManyRuns(line) ? 1 : 0;
        if (bigCounts > kMostBigCounts || runner.program().clock().nowMs() > kMostSimulatedMs) {
            break;
        }
        const bool goesOn = runner.runLine(line, ++lineNumber);
        std::istringstream printed(out.str());
        for (std::string json; std::getline(printed, json);) {
            if (ended) {
                broken("a line printed after the end of the program", json);
            }
            if (!nlohmann::json::parse(json, nullptr, false).is_object()) {
                broken("every line printed is one JSON object", json);
            }
            ended = json == R"({"end":true})";
        }
        const std::string errors = err.str();
        const std::string wanted = "error: line " + std::to_string(lineNumber) + ": ";
        if (!errors.empty() && (errors.rfind(wanted, 0) != 0 || errors.back() != '\n' ||
                                errors.find('\n') != errors.size() - 1)) {
            broken("one error line, naming line " + std::to_string(lineNumber), errors);
        }
        if (!out.str().empty() && out.str().back() != '\n') {
            broken("output ends with a line break", out.str());
        }
        anyErrorLine |= !errors.empty();
        all << out.str() << errors;
        out.str("");
        err.str("");
        if (!goesOn) {
            break;
        }
    }
    // The exit status is 1 exactly when a line was an error.
    if (runner.anyError() != anyErrorLine) {
        broken("the exit status says whether a line was an error", line);
    }
    return all.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string script(reinterpret_cast<const char*>(data), size);
    if (runChecked(script) != runChecked(script)) {
        broken("the same script prints the same lines", script.substr(0, 300));
    }
    return 0;
}
