#pragma once

// The whole desktop program as zarb runs it: the Qt platform, the game's program with its two
// windows, and the real clock that ticks the game's timers.

#include "forms/desktop_clock.h"
#include "forms/qt_platform.h"
#include "game/program.h"

namespace zarb::forms {

class DesktopProgram {
  public:
    // Needs the QApplication made first.
    DesktopProgram();

    // Shows the splash and plays until the program ends; the exit status, 0 however it ends.
    int exec();

    QtPlatform& platform() { return platform_; }
    Program& program() { return program_; }

  private:
    QtPlatform platform_;
    Clock clock_;
    Program program_{platform_, clock_};
    DesktopClock realClock_{program_,
                            [this] { platform_.refreshWindows(realClock_.lastTickDue()); }};
};

}  // namespace zarb::forms
