#pragma once

// The world zarb-headless, the tests and the benchmarks play the rules in: time is the simulated
// clock's, so reseeding from it repeats on every run; a message box is noted and OK'd at once;
// the end of the program is noted.

#include <string>

#include "game/platform.h"
#include "game/timers.h"

namespace zarb {

class SimulatedPlatform : public Platform {
  public:
    explicit SimulatedPlatform(const Clock& clock) : clock_(clock) {}

    void showMessage(const std::string& title, const std::string& text) override {
        ++boxes;
        lastBox = {title, text};
    }
    double timeOfDayMs() const override { return clock_.nowMs(); }

    // How many boxes have been shown, and the last one's title and text.
    struct Box {
        std::string title;
        std::string text;
    };
    int boxes = 0;
    Box lastBox;

  private:
    const Clock& clock_;
};

}  // namespace zarb
