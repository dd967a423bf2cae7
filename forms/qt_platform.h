#pragma once

// The desktop's answers to what the rules ask of the outside world: message boxes, the time of
// day, the two windows, and the end of the program.

#include <QPointer>
#include <chrono>
#include <memory>

#include "forms/frm_splash.h"
#include "game/platform.h"

namespace zarb {
class Program;
}

namespace zarb::forms {

class FrmZarb;

class QtPlatform : public Platform {
  public:
    QtPlatform();
    ~QtPlatform() override;

    FrmZarb* gameWindow() const { return gameWindow_.get(); }
    FrmSplash* splashWindow() const { return splashWindow_; }

    void showMessage(const std::string& title, const std::string& text) override;
    double timeOfDayMs() const override;
    void windowLoaded(Program& program, WindowId window) override;
    void windowShown(WindowId window, bool visible) override;
    void windowUnloaded(WindowId window) override;
    void endProgram() override;

    // Draws the game window afresh after the clock has ticked at the given time.
    void refreshWindows(
        std::chrono::steady_clock::time_point tickedAt = std::chrono::steady_clock::now());

  private:
    std::unique_ptr<FrmZarb> gameWindow_;
    QPointer<FrmSplash> splashWindow_;
};

}  // namespace zarb::forms
