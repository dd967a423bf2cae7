#pragma once

// zarb-headless's reader: runs a script of commands against the game's own rules with a
// simulated clock, printing JSON lines on one stream and errors on the other.

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

#include "game/program.h"
#include "game/simulated_platform.h"

namespace zarb::headless {

// Message boxes print an event line and return at once, as if OK had been pressed; the clock
// is the simulated one, so reseeding from it repeats on every run.
class HeadlessPlatform : public SimulatedPlatform {
  public:
    HeadlessPlatform(const Clock& clock, std::ostream& out) : SimulatedPlatform(clock), out_(out) {}

    void showMessage(const std::string& title, const std::string& text) override;
    void endProgram() override;

  private:
    std::ostream& out_;
};

class ScriptRunner {
  public:
    // The longest line a script may hold, its line break not counted. A longer line is an error
    // of its own and is skipped without being held, so no script grows what the program holds.
    static constexpr std::size_t kLongestLine = 65536;

    ScriptRunner(std::ostream& out, std::ostream& err, std::size_t longestLine = kLongestLine);

    // Runs every line until the input runs out or the program ends. The exit status: 0, or 1
    // once a line was an error; 2 at once when the input (named source in the message) cannot
    // be read or the output cannot be written, after one line on the error stream.
    int run(std::istream& in, std::string_view source = "standard input");

    // One line; false once it has ended the program, when no more may be run.
    bool runLine(std::string_view line, long lineNumber);

    bool anyError() const { return anyError_; }
    Program& program() { return program_; }

  private:
    // Ends the run: one line on the error stream; the exit status.
    int stopped(const std::string& what);
    void lineError(long lineNumber, const std::string& what);

    std::ostream& out_;
    std::ostream& err_;
    std::size_t longestLine_;
    Clock clock_;
    HeadlessPlatform platform_;
    Program program_;
    bool anyError_ = false;
};

}  // namespace zarb::headless
