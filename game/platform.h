#pragma once

// What the rules ask of the outside world: message boxes, the random generator, the clock, the
// end of the program and the two windows. The desktop program answers with Qt; zarb-headless and
// the tests answer with a simulated clock and recorded messages.

#include <cstdint>
#include <string>

#include "game/random.h"

namespace zarb {

class Program;

enum class WindowId { frmSplash, frmZarb };

class Platform {
  public:
    virtual ~Platform() = default;

    // A modal box with one OK button, no icon, the given title; returns when it is closed.
    virtual void showMessage(const std::string& title, const std::string& text) = 0;

    // The time of day in milliseconds, which the generator is reseeded from.
    virtual double timeOfDayMs() const = 0;

    // The window layer hears of every load, show, hide and unload the rules make; a window is
    // loaded for the program that will forward what a person does in it.
    virtual void windowLoaded(Program&, WindowId) {}
    virtual void windowShown(WindowId, bool /*visible*/) {}
    virtual void windowUnloaded(WindowId) {}

    // Ends the program at once: no handler runs after this.
    virtual void endProgram() { ended_ = true; }
    bool ended() const { return ended_; }

    virtual void reseedRandom() { random_.reseed(timeOfDayMs()); }
    virtual float drawRandom() { return random_.draw(); }
    GameRandom& random() { return random_; }

  private:
    GameRandom random_;
    bool ended_ = false;
};

}  // namespace zarb
