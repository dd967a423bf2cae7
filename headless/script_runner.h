#pragma once

// zarb-headless's reader: runs a script of commands against the game's own rules with a
// simulated clock, printing JSON lines on one stream and errors on the other.

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
    ScriptRunner(std::ostream& out, std::ostream& err);

    // Runs every line until the input runs out or the program ends; the exit status.
    int run(std::istream& in);

    // One line; false once the program has ended and nothing more is read.
    bool runLine(std::string_view line, long lineNumber);

    bool anyError() const { return anyError_; }
    Program& program() { return program_; }

  private:
    std::ostream& out_;
    std::ostream& err_;
    Clock clock_;
    HeadlessPlatform platform_;
    Program program_;
    bool anyError_ = false;
};

}  // namespace zarb::headless
