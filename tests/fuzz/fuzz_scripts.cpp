// libFuzzer target for zarb-headless: the input is a script, read and run whole by the
// program's own runner on its simulated platform, with a short longest line so that lines too
// long to hold are within the fuzzer's reach. Whatever the script holds, every line printed is one
// JSON object, nothing follows the end of the program, errors name the lines they come from in
// order, a line too long is an error of its own, the exit status says whether a line was an error,
// and the same script prints the same lines a second time. Output that cannot be written or a
// script that cannot be read stops the run at once with status 2. A broken promise aborts, so
// libFuzzer keeps the script; zarb-replay-scripts runs the same checks over saved scripts in the
// builds without libFuzzer.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ios>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

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

// Short enough that any fuzzed script can hold a line longer than this.
constexpr std::size_t kLongestLine = 256;

// The script's lines, as the runner splits them (a last line needs no line break).
std::vector<std::string> linesOf(const std::string& script) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < script.size();) {
        const std::size_t end = std::min(script.find('\n', at), script.size());
        lines.push_back(script.substr(at, end - at));
        at = end + 1;
    }
    return lines;
}

// The script up to the first line that asks for too much, or that would bring the simulated
// time past its bound. Lines too long to read are errors whatever they ask, so they stay.
std::string withinBounds(const std::string& script) {
    double simulatedMs = 0;
    std::size_t at = 0;
    for (const std::string& line : linesOf(script)) {
        if (line.size() <= kLongestLine) {
            std::istringstream words(line);
            std::string command, number;
            if (words >> command >> number && command == "run") {
                simulatedMs += std::max(0.0, std::strtod(number.c_str(), nullptr));
            }
            if (asksForTooMuch(line) || !(simulatedMs <= kMostSimulatedMs)) {
                break;
            }
        }
        at += line.size() + 1;
    }
    return script.substr(0, at);
}

// A stream end that takes `room` bytes and then fails, as a full disk or a closed pipe does;
// it notes how far the script had been read when it first refused.
class FailingOutput : public std::streambuf {
  public:
    FailingOutput(std::size_t room, std::istream& script) : room_(room), script_(script) {}
    std::string taken;
    std::streampos readWhenFull = -1;

  protected:
    int_type overflow(int_type c) override {
        if (taken.size() >= room_) {
            if (readWhenFull == std::streampos(-1)) {
                readWhenFull =
                    script_.rdbuf()->pubseekoff(0, std::ios_base::cur, std::ios_base::in);
            }
            return traits_type::eof();
        }
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            taken += traits_type::to_char_type(c);
        }
        return traits_type::not_eof(c);
    }

  private:
    std::size_t room_;
    std::istream& script_;
};

// A script that gives `room` bytes and then cannot be read any further, as a failing disk does.
class FailingInput : public std::streambuf {
  public:
    FailingInput(const std::string& script, std::size_t room) : script_(script.substr(0, room)) {
        setg(script_.data(), script_.data(), script_.data() + script_.size());
    }

  protected:
    int_type underflow() override { throw std::ios_base::failure("the script cannot be read"); }

  private:
    std::string script_;
};

struct Printed {
    std::string out, err;
    int status;
};

Printed runWhole(const std::string& script) {
    std::ostringstream out, err;
    zarb::headless::ScriptRunner runner(out, err, kLongestLine);
    std::istringstream in(script);
    const int status = runner.run(in);
    return {out.str(), err.str(), status};
}

// Every line printed is one JSON object and nothing follows the end; errors name lines in
// order, each line too long among the lines read is one, and the status says whether any was.
void checkPrinted(const std::string& script, const Printed& printed) {
    std::istringstream out(printed.out);
    bool ended = false;
    for (std::string json; std::getline(out, json);) {
        if (ended) {
            broken("a line printed after the end of the program", json);
        }
        if (!nlohmann::json::parse(json, nullptr, false).is_object()) {
            broken("every line printed is one JSON object", json);
        }
        ended = json == R"({"end":true})";
    }
    if (!printed.out.empty() && printed.out.back() != '\n') {
        broken("output ends with a line break", printed.out);
    }
    const std::vector<std::string> lines = linesOf(script);
    std::vector<std::string> errors(lines.size() + 1);
    std::istringstream err(printed.err);
    long last = 0;
    for (std::string error; std::getline(err, error);) {
        const long number =
            std::strtol(error.c_str() + std::min<std::size_t>(error.size(), 12), nullptr, 10);
        if (error.rfind("error: line ", 0) != 0 || number <= last ||
            number > static_cast<long>(lines.size())) {
            broken("one error line a line, naming lines in order", error);
        }
        errors[static_cast<std::size_t>(number)] = error;
        last = number;
    }
    // Every line was read unless the program ended; then at least those up to the last error.
    const std::size_t read = ended ? static_cast<std::size_t>(last) : lines.size();
    for (std::size_t i = 1; i <= read; ++i) {
        const bool tooLong = lines[i - 1].size() > kLongestLine;
        const std::string tooLongError =
            "error: line " + std::to_string(i) + ": line longer than 256 bytes";
        if (tooLong != (errors[i] == tooLongError)) {
            broken("a line too long to read is an error of its own", lines[i - 1]);
        }
    }
    if (printed.status != (printed.err.empty() ? 0 : 1)) {
        broken("the exit status says whether a line was an error", printed.err);
    }
}

// The run stopped with status 2 and one line saying why, after what the whole run printed up
// to that point and nothing more.
void checkStopped(const Printed& whole, const std::string& out, const std::string& err, int status,
                  const std::string& why) {
    const std::size_t lastLine = err.rfind('\n', err.size() - 2) + 1;
    if (status != 2 || err.compare(lastLine, why.size(), why) != 0 ||
        whole.out.compare(0, out.size(), out) != 0 ||
        whole.err.compare(0, lastLine, err, 0, lastLine) != 0) {
        broken("a run that cannot go on stops at once with status 2: " + why, err);
    }
}

void checkFailingStreams(const std::string& script, const Printed& whole) {
    if (!whole.out.empty()) {
        std::istringstream in(script);
        FailingOutput full(whole.out.size() / 2, in);
        std::ostream out(&full);
        std::ostringstream err;
        zarb::headless::ScriptRunner runner(out, err, kLongestLine);
        const int status = runner.run(in);
        checkStopped(whole, full.taken, err.str(), status, "error: cannot write the output");
        // Not one line more was read once the output refused.
        if (in.rdbuf()->pubseekoff(0, std::ios_base::cur, std::ios_base::in) != full.readWhenFull) {
            broken("output that cannot be written stops the run at once", script.substr(0, 300));
        }
    }
    // A script cut short by a read error, unless the program ended before the cut.
    FailingInput cut(script, script.size() / 2);
    std::istream in(&cut);
    std::ostringstream out, err;
    zarb::headless::ScriptRunner runner(out, err, kLongestLine);
    const int status = runner.run(in);
    if (status != 2 && out.str().find(R"({"end":true})") != std::string::npos) {
        return;
    }
    checkStopped(whole, out.str(), err.str(), status, "error: cannot read standard input");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string script = withinBounds(std::string(reinterpret_cast<const char*>(data), size));
    const Printed whole = runWhole(script);
    checkPrinted(script, whole);
    const Printed again = runWhole(script);
    if (again.out != whole.out || again.err != whole.err || again.status != whole.status) {
        broken("the same script prints the same lines", script.substr(0, 300));
    }
    checkFailingStreams(script, whole);
    return 0;
}
