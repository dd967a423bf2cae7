#pragma once

// The running program: the splash window frmSplash, the game window frmZarb and the timer
// service that ticks the game window's timers. It starts on the splash; the game window is
// loaded (running Form_Load) the first time anything needs it.
//
// It is also the one door for what a person does: choosing a menu item, pressing a splash
// button, closing a window, pressing or releasing a key. Each entry decides whether the action
// counts and says whether it acted; the desktop, the web page and zarb-headless only forward.

#include <cstddef>
#include <iterator>
#include <memory>

#include "game/menu_bar.h"
#include "game/platform.h"
#include "game/timers.h"
#include "game/zarb_window.h"

namespace zarb {

struct SplashButton;

class Program {
  public:
    // The program on its platform, its timers driven by the given clock.
    Program(Platform& platform, Clock& clock);

    // Loads and shows the splash window, as the program does when it starts.
    void start();

    bool splashLoaded() const { return splashLoaded_; }
    bool splashVisible() const { return splashVisible_; }
    bool zarbLoaded() const { return zarb_ != nullptr; }
    bool zarbVisible() const { return zarbVisible_; }
    // Once the program has ended no handler runs and nothing a person does counts.
    bool ended() const { return platform_.ended(); }

    // The game window, or none while it is not loaded.
    ZarbWindow* zarb() { return zarb_.get(); }
    const ZarbWindow* zarb() const { return zarb_.get(); }
    // Loads the game window if it is not loaded yet; it stays hidden.
    ZarbWindow& loadZarb();

    // The splash window's buttons, as the program's own code runs them.
    void cmdPlay_Click();
    void cmdInfo_Click();
    void cmdExit_Click();

    // What a person does. A menu item counts while the game window is shown and the item and
    // every menu above it are enabled; a splash button and a close box while their window is
    // shown; a key while the game window is shown. Nothing counts once the program has ended.
    bool chooseMenuItem(const MenuBarEntry& entry);
    bool pressSplashButton(const SplashButton& button);
    bool closeWindow(WindowId window);
    bool pressKey(int keyCode, int shift);
    bool releaseKey(int keyCode, int shift);

    // One tick of the 64 Hz clock, made by a real clock; none once the program has ended.
    void tick();
    // Whether a real clock has to keep ticking: a timer of the game window is enabled.
    bool needsTicks() const { return !ended() && timers_.anyEnabled(); }

    Clock& clock() { return clock_; }
    TimerService& timers() { return timers_; }
    Platform& platform() { return platform_; }

  private:
    void showZarb();
    bool isShown(WindowId window) const;

    Platform& platform_;
    Clock& clock_;
    TimerService timers_;
    std::unique_ptr<ZarbWindow> zarb_;
    bool splashLoaded_ = false;
    bool splashVisible_ = false;
    bool zarbVisible_ = false;
};

// The splash window's buttons, as the desktop and the page draw them and a script names them:
// the control's name, its caption, its Left in twips (they share one row) and its handler.
struct SplashButton {
    const char* name;
    const char* caption;
    float left;
    void (Program::*handler)();
};

inline constexpr float kSplashButtonTop = 2880;
inline constexpr float kSplashButtonWidth = 1455;
inline constexpr float kSplashButtonHeight = 615;

inline constexpr SplashButton kSplashButtons[] = {
    {"cmdPlay", "PLAY!", 600, &Program::cmdPlay_Click},
    {"cmdInfo", "INFO", 2640, &Program::cmdInfo_Click},
    {"cmdExit", "EXIT", 4680, &Program::cmdExit_Click},
};
inline constexpr std::size_t kSplashButtonCount = std::size(kSplashButtons);

}  // namespace zarb
