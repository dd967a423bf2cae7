// zarb-fuzz-headless: runs zarb-headless as a separate program on many random scripts and on a
// few fixed hard cases, and checks what its manual promises for every input: it ends by itself
// within a time bound with exit status 0 or 1, never by a signal; standard output carries JSON
// objects only, one a line, nothing after {"end":true}; standard error carries only
// "error: line N: ..." lines, N rising; and the status is 1 exactly when there was such a line.
//
//   zarb-fuzz-headless random HEADLESS SEED COUNT [--batch N] [--timeout-ms MS]
//   zarb-fuzz-headless day-run HEADLESS [--timeout-ms MS]
//   zarb-fuzz-headless arguments HEADLESS [--timeout-ms MS]
//
// A failing script is printed and written to a file in the working directory, so that
// `zarb-headless < FILE` replays it.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "tests/fuzz/random_scripts.h"
#include "tests/fuzz/subprocess.h"

namespace zarb::fuzz {
namespace {

// What is wrong with `line` as one JSON object (strings in well-formed UTF-8, control
// characters escaped), or nothing if it is one.
std::optional<std::string> jsonObjectProblem(std::string_view line) {
    try {
        if (!nlohmann::json::parse(line).is_object()) {
            return "not an object";
        }
        return std::nullopt;
    } catch (const nlohmann::json::parse_error& error) {
        return error.what();
    }
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t end = text.find('\n', from);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(from));
            break;
        }
        lines.push_back(text.substr(from, end - from));
        from = end + 1;
    }
    return lines;
}

// What the program did wrong on `input`, or nothing.
std::optional<std::string> contractProblem(const Finished& run, const std::string& input) {
    if (run.timedOut || run.signal != 0 || (run.exitStatus != 0 && run.exitStatus != 1)) {
        return "it ended with " + describeEnd(run) + ", not exit status 0 or 1";
    }
    const auto inputLines = static_cast<long>(splitLines(input).size());
    long lastError = 0;
    for (const std::string_view line : splitLines(run.err)) {
        constexpr std::string_view kPrefix = "error: line ";
        long number = 0;
        std::size_t at = kPrefix.size();
        while (at < line.size() && line[at] >= '0' && line[at] <= '9' && number < inputLines + 1) {
            number = number * 10 + (line[at++] - '0');
        }
        if (line.substr(0, kPrefix.size()) != kPrefix || at == kPrefix.size() ||
            line.substr(at, 2) != ": ") {
            return "standard error has a line that is not an error line: " +
                   std::string(line.substr(0, 300));
        }
        if (number <= lastError || number > inputLines) {
            return "error line numbers out of order or beyond the script: " + std::string(line);
        }
        lastError = number;
    }
    if ((run.exitStatus == 1) != !run.err.empty()) {
        return "exit status " + std::to_string(run.exitStatus) +
               (run.err.empty() ? " without an error line" : " after error lines");
    }
    if (!run.out.empty() && run.out.back() != '\n' && !run.outCut) {
        return "standard output does not end with a line break";
    }
    const std::vector<std::string_view> outLines = splitLines(run.out);
    const std::size_t checked =
        run.outCut && !outLines.empty() ? outLines.size() - 1 : outLines.size();
    for (std::size_t i = 0; i < checked; ++i) {
        if (const auto problem = jsonObjectProblem(outLines[i])) {
            return "standard output line " + std::to_string(i + 1) + " is not one JSON object (" +
                   *problem + "): " + std::string(outLines[i].substr(0, 300));
        }
        if (outLines[i] == R"({"end":true})" && i + 1 != outLines.size()) {
            return "standard output goes on after {\"end\":true}";
        }
    }
    return std::nullopt;
}

struct Options {
    std::string headless;
    double timeoutMs = 30000;
    std::size_t batch = 20;
};

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Prints a failure with its script, shown with the bytes that do not print escaped.
void reportFailure(const std::string& what, const std::string& script, const std::string& file,
                   const Finished& run) {
    writeFile(file, script);
    std::cout << "FAILED: " << what << "\n  replay: zarb-headless < "
              << std::filesystem::absolute(file).string() << "\n";
    std::cout << "  standard error (start): " << run.err.substr(0, 600) << "\n";
    std::cout << "  script (" << script.size() << " bytes, start):\n";
    std::string shown;
    for (const char c : script.substr(0, 4000)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n' || (byte >= 0x20 && byte < 0x7f)) {
            shown += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            shown += escaped;
        }
    }
    std::cout << shown << "\n";
}

Finished runHeadless(const Options& options, const std::string& script, bool asFile,
                     const std::string& fileForScript) {
    if (!asFile) {
        return runProgram(options.headless, {}, script, options.timeoutMs);
    }
    writeFile(fileForScript, script);
    Finished run = runProgram(options.headless, {fileForScript}, "", options.timeoutMs);
    std::remove(fileForScript.c_str());
    return run;
}

int randomScripts(const Options& options, std::uint64_t seed, std::uint64_t count) {
    const std::string scratch = "headless-fuzz-scratch-" + std::to_string(seed) + ".zs";
    std::uint64_t processes = 0, errorLines = 0, ended = 0, bytes = 0;
    double slowestMs = 0, totalMs = 0;
    for (std::uint64_t first = 0; first < count; first += options.batch) {
        const std::uint64_t last = std::min<std::uint64_t>(count, first + options.batch);
        std::vector<std::string> scripts;
        std::string batch;
        for (std::uint64_t i = first; i < last; ++i) {
            // Only the last script of a batch ends the program, so that the others are all read.
            ScriptShape shape;
            shape.endingPerMille = i + 1 == last ? 20 : 0;
            scripts.push_back(randomScript(seed, i, shape));
            batch += scripts.back();
        }
        bytes += batch.size();
        // Every other batch is read from a file named on the command line.
        const bool asFile = (first / options.batch) % 2 == 1;
        const Finished run = runHeadless(options, batch, asFile, scratch);
        ++processes;
        totalMs += run.elapsedMs;
        slowestMs = std::max(slowestMs, run.elapsedMs);
        errorLines += static_cast<std::uint64_t>(std::count(run.err.begin(), run.err.end(), '\n'));
        ended += run.out.find(R"({"end":true})") != std::string::npos ? 1 : 0;

        std::optional<std::string> problem = contractProblem(run, batch);
        // The same script always prints the same output: every eighth batch runs twice.
        if (!problem && (first / options.batch) % 8 == 0) {
            const Finished again = runHeadless(options, batch, !asFile, scratch);
            ++processes;
            if (again.out != run.out || again.err != run.err ||
                again.exitStatus != run.exitStatus) {
                problem = "the same script printed something else on a second run";
            }
        }
        if (!problem) {
            continue;
        }
        // Find the one script of the batch that fails on its own, if there is one.
        for (std::uint64_t i = first; i < last; ++i) {
            const std::string& script = scripts[i - first];
            const Finished alone = runProgram(options.headless, {}, script, options.timeoutMs);
            if (const auto own = contractProblem(alone, script)) {
                reportFailure(
                    "seed " + std::to_string(seed) + ", script " + std::to_string(i) + ": " + *own,
                    script,
                    "headless-failure-seed" + std::to_string(seed) + "-script" + std::to_string(i) +
                        ".zs",
                    alone);
                return 1;
            }
        }
        reportFailure("seed " + std::to_string(seed) + ", scripts " + std::to_string(first) +
                          " to " + std::to_string(last - 1) + " run together: " + *problem,
                      batch,
                      "headless-failure-seed" + std::to_string(seed) + "-batch" +
                          std::to_string(first) + ".zs",
                      run);
        return 1;
    }
    std::cout << "seed " << seed << ": " << count << " random scripts (" << bytes << " bytes) in "
              << processes << " runs of zarb-headless; " << errorLines << " error lines; " << ended
              << " runs ended the program early; slowest run " << static_cast<long>(slowestMs)
              << " ms, all runs " << static_cast<long>(totalMs) << " ms\n";
    return 0;
}

struct FixedCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string input;
    int wantStatus;
    // Text standard output must hold (empty: nothing asked).
    std::string wantInOut;
    // Usage and unreadable-file messages are not script errors: for those only the ending and
    // the status are checked.
    bool readsAScript = true;
};

int fixedCases(const Options& options, const std::vector<FixedCase>& cases) {
    int failures = 0;
    for (const FixedCase& c : cases) {
        const Finished run = runProgram(options.headless, c.arguments, c.input, options.timeoutMs);
        std::optional<std::string> problem;
        if (c.readsAScript) {
            problem = contractProblem(run, c.input);
        } else if (run.timedOut || run.signal != 0) {
            problem = "it ended with " + describeEnd(run);
        }
        if (!problem && run.exitStatus != c.wantStatus) {
            problem = "exit status " + std::to_string(run.exitStatus) + ", expected " +
                      std::to_string(c.wantStatus);
        }
        if (!problem && run.out.find(c.wantInOut) == std::string::npos) {
            problem = "standard output lacks " + c.wantInOut;
        }
        std::cout << (problem ? "FAILED " : "ok     ") << c.name << " ("
                  << static_cast<long>(run.elapsedMs) << " ms)\n";
        if (problem) {
            reportFailure(std::string(c.name) + ": " + *problem, c.input,
                          std::string("headless-failure-") + c.name + ".zs", run);
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

// A day of simulated time is one run line: it must come back within the time bound.
int dayRun(const Options& options) {
    return fixedCases(
        options,
        {
            {"a day of two-player play",
             {},
             "cmdPlay_Click\nmnuTwo_Click\nmnuNew_Click\nrun 86400000\n"
             "get player1Score player2Score tmrBall.Enabled\n",
             0,
             R"("tmrBall.Enabled":true})"},
            {"a day of one-player play at Supersonic on level 5",
             {},
             "click cmdPlay\nclick mnuReallyfast\nclick mnuLevel5\nForm_KeyDown 112\n"
             "run 86400000\nget ballDirX ballDirY\n",
             0,
             R"({"ballDirX":0,"ballDirY":0})"},
            {"a day with the splash only, twice",
             {},
             "run 86400000\nrun 86400000\nget frmZarb.Loaded\n",
             0,
             R"({"frmZarb.Loaded":false})"},
            {"a day with every timer at 1 ms",
             {},
             "cmdPlay_Click\nset tmrStart.Interval 1\nmnuNew_Click\nrun 86400000\n"
             "get tmrStart.Interval\n",
             0,
             R"({"tmrStart.Interval":1})"},
            {"ten million ball ticks in a rally",
             {},
             "cmdPlay_Click\nmnuNew_Click\nrun 1000\ntmrBall_Timer 10000000\nget ballDirX\n",
             0,
             R"({"ballDirX":0})"},
            {"the longest run and one millisecond more",
             {},
             "cmdPlay_Click\nrun 86400000.001\nrun 86400000\nget frmZarb.Visible\n",
             1,
             R"({"frmZarb.Visible":true})"},
        });
}

int argumentCases(const Options& options) {
    writeFile("headless-fuzz-script-file.zs", "cmdPlay_Click\nget imgBall.Left\n");
    const int status = fixedCases(
        options,
        {
            {"--help prints its usage", {"--help"}, "", 0, "", false},
            {"two script files are one too many", {"a.zs", "b.zs"}, "", 1, "", false},
            {"a script that cannot be read", {"/nonexistent/zarb/script.zs"}, "", 1, "", false},
            {"a script named on the command line",
             {"headless-fuzz-script-file.zs"},
             "",
             0,
             R"({"imgBall.Left":5760})"},
            {"empty input", {}, "", 0, ""},
            {"no line break at the end", {}, "cmdPlay_Click\nget level", 0, R"({"level":1})"},
            {"a NUL byte and a lone carriage return",
             {},
             std::string("get") + '\0' + "level\r\ncmdPlay_Click\r\nget level\r\n",
             1,
             R"({"level":1})"},
        });
    std::remove("headless-fuzz-script-file.zs");
    return status;
}

}  // namespace
}  // namespace zarb::fuzz

int main(int argc, char** argv) {
    using namespace zarb::fuzz;
    std::vector<std::string> args(argv + 1, argv + argc);
    Options options;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--timeout-ms" && i + 1 < args.size()) {
            options.timeoutMs = std::strtod(args[++i].c_str(), nullptr);
        } else if (args[i] == "--batch" && i + 1 < args.size()) {
            options.batch = std::max<std::size_t>(1, std::strtoull(args[++i].c_str(), nullptr, 10));
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() >= 2) {
        options.headless = positional[1];
        if (positional[0] == "random" && positional.size() == 4) {
            return randomScripts(options, std::strtoull(positional[2].c_str(), nullptr, 10),
                                 std::strtoull(positional[3].c_str(), nullptr, 10));
        }
        if (positional[0] == "day-run" && positional.size() == 2) {
            return dayRun(options);
        }
        if (positional[0] == "arguments" && positional.size() == 2) {
            return argumentCases(options);
        }
    }
    std::cerr << "usage: zarb-fuzz-headless random HEADLESS SEED COUNT [--batch N] "
                 "[--timeout-ms MS]\n"
                 "       zarb-fuzz-headless day-run|arguments HEADLESS [--timeout-ms MS]\n";
    return 2;
}
