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

#include "headless/script_runner.h"

namespace {

// A script may rightly ask for a day of simulated time or ten million runs of a handler, and
// under the sanitizers one such line takes many seconds. The fuzzer looks for faults, not for
// long scripts (the script cases run those), so a script stops being read before a line that
// asks for more than a minute or a thousand runs, or once ten minutes have passed.
constexpr double kLongestRunMs = 60000;
constexpr double kMostRuns = 1000;
constexpr double kMostSimulatedMs = 600000;

[[noreturn]] void broken(const std::string& promise, std::string_view line) {
    std::fprintf(stderr, "zarb-headless broke a promise: %s\n  at: %.300s\n", promise.c_str(),
                 std::string(line).c_str());
    std::abort();
}

// A run or a handler's count beyond the bounds above. strtod reads every number the script
// reader takes (and more, which only stops the script sooner).
bool asksForTooMuch(const std::string& line) {
    std::istringstream words(line);
    std::string command, number;
    if (!(words >> command >> number)) {
        return false;
    }
    const double value = std::strtod(number.c_str(), nullptr);
    if (command == "run") {
        return !(value <= kLongestRunMs);
    }
    return command.find('_') != std::string::npos && !(value <= kMostRuns);
}

// Runs the script and checks each line's output as it comes; returns everything printed.
std::string runChecked(const std::string& script) {
    std::ostringstream out, err, all;
    zarb::headless::ScriptRunner runner(out, err);
    std::istringstream in(script);
    std::string line;
    long lineNumber = 0;
    bool ended = false;
    bool anyErrorLine = false;
    while (std::getline(in, line)) {
        if (asksForTooMuch(line) || runner.program().clock().nowMs() > kMostSimulatedMs) {
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
