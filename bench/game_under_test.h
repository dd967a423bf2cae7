#pragma once

// The desktop game as zarb's main() puts it together (QtPlatform, Program, FrmZarb and the
// DesktopClock), for the benchmark's children that drive it as a person would. Its ticks are
// seen through the callback DesktopClock calls after each clock tick (main() passes one that
// redraws the windows; this one notes the time, redraws and tells the run), so nothing in
// forms/ changes for the benchmark.

#include <QWidget>
#include <functional>

#include "forms/desktop_clock.h"
#include "forms/frm_zarb.h"
#include "forms/qt_platform.h"
#include "game/program.h"
#include "game/timers.h"

namespace zarb::bench {

struct GameUnderTest {
    forms::QtPlatform platform;
    Clock clock;
    Program program{platform, clock};
    long ticks = 0;
    // When the last clock tick was made, and the CPU time that drawing its windows then took.
    double lastTickMs = 0;
    double lastRefreshCpuMs = 0;
    // Runs after each clock tick once the game window is loaded.
    std::function<void()> afterTick;
    forms::DesktopClock realClock{program, [this] { onTick(); }};

    // Shows the splash and starts the clock, as the program does.
    void start();
    // The windows a person sees: the splash until PLAY!, then the game window and its field.
    QWidget& splash() { return *platform.splashWindow(); }
    QWidget& window() { return *platform.gameWindow(); }
    QWidget* field() { return window().findChild<QWidget*>("field"); }
    ZarbWindow& zarb() { return *program.zarb(); }

    void pressPlay();
    // Chooses the game window's menu item of that control name.
    void choose(const char* name);
    // A key going down or up on the game window.
    void press(int key, bool down);

  private:
    void onTick();
};

}  // namespace zarb::bench
