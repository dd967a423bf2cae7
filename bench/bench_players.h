#pragma once

// What the benchmarks share: the game played in the simulated world, and the people at the
// paddles who keep a rally going.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/field_layout.h"
#include "game/menu_bar.h"
#include "game/program.h"
#include "game/simulated_platform.h"
#include "game/single.h"
#include "game/timers.h"
#include "game/zarb_window.h"

namespace zarb::bench {

// The menu bar's entry of that control name.
inline const MenuBarEntry& menuEntry(const char* name) {
    for (const MenuBarEntry& entry : kMenuBar) {
        if (std::strcmp(entry.name, name) == 0) {
            return entry;
        }
    }
    std::fprintf(stderr, "the menu bar has no %s\n", name);
    std::abort();
}

// The program in the simulated world, past the splash with PLAY! pressed: the game window is
// shown and a person can choose from its menus. The generator is reseeded from the simulated
// clock, so every run plays the same serves.
struct SimulatedGame {
    Clock clock;
    SimulatedPlatform platform{clock};
    Program program{platform, clock};

    SimulatedGame() {
        program.start();
        program.cmdPlay_Click();
    }
    ZarbWindow& window() { return *program.zarb(); }

    // Chooses the menu item of that control name, as a person would from the menu bar.
    void choose(const char* name) {
        if (!program.chooseMenuItem(menuEntry(name))) {
            std::fprintf(stderr, "the menu item %s cannot be chosen now\n", name);
            std::abort();
        }
    }
};

// A person at a paddle, playing by looking at the field: holds the key towards the ball while
// it comes, and lets go when level with it. Keys change only when the wish changes, as a
// person's would; `press(key, down)` hears of each change.
class Player {
  public:
    Player(int upKey, int downKey, bool leftSide) : up_(upKey), down_(downKey), left_(leftSide) {}

    template <typename Press>
    void steer(const ZarbWindow& w, Press press) {
        const Control& paddle = left_ ? w.imgLeft : w.imgRight;
        const bool coming = w.ballDirX == (left_ ? dir::kLeft : dir::kRight);
        const float paddleMiddle = single(paddle.Top + layout::kPaddleMiddle);
        // Near enough the ball's middle for a person's eye.
        const float ballMiddle = w.imgBall.Top + 250;
        const int wanted = !coming                          ? 0
                           : ballMiddle < paddleMiddle - 80 ? up_
                           : ballMiddle > paddleMiddle + 80 ? down_
                                                            : 0;
        if (wanted == held_) {
            return;
        }
        if (held_ != 0) {
            press(held_, false);
        }
        if (wanted != 0) {
            press(wanted, true);
        }
        held_ = wanted;
    }

  private:
    int up_;
    int down_;
    bool left_;
    int held_ = 0;
};

}  // namespace zarb::bench
