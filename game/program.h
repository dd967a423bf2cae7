#pragma once

// The running program: the splash window frmSplash, the game window frmZarb and the timer
// service that ticks the game window's timers. It starts on the splash; the game window is
// loaded (running Form_Load) the first time anything needs it.

#include <memory>

#include "game/platform.h"
#include "game/timers.h"
#include "game/zarb_window.h"

namespace zarb {

class Program {
  public:
    explicit Program(Platform& platform);

    // Loads and shows the splash window, as the program does when it starts.
    void start();

    bool splashLoaded() const { return splashLoaded_; }
    bool splashVisible() const { return splashVisible_; }
    bool zarbLoaded() const { return zarb_ != nullptr; }
    bool zarbVisible() const { return zarbVisible_; }

    // The game window, or none while it is not loaded.
    ZarbWindow* zarb() { return zarb_.get(); }
    // Loads the game window if it is not loaded yet; it stays hidden.
    ZarbWindow& loadZarb();

    // The splash window's buttons.
    void cmdPlay_Click();
    void cmdInfo_Click();
    void cmdExit_Click();

    // A person closing a window with its close box.
    void closeSplash();
    void closeZarb();

    Clock& clock() { return clock_; }
    TimerService& timers() { return timers_; }
    Platform& platform() { return platform_; }

  private:
    void showZarb();

    Platform& platform_;
    Clock clock_;
    TimerService timers_;
    std::unique_ptr<ZarbWindow> zarb_;
    bool splashLoaded_ = false;
    bool splashVisible_ = false;
    bool zarbVisible_ = false;
};

}  // namespace zarb
