#pragma once

// What the benchmarks share: the simulated world they play the rules in, and the people at the
// paddles who keep a rally going.

#include <string>

#include "game/platform.h"
#include "game/timers.h"
#include "game/zarb_window.h"

namespace zarb::bench {

// The simulated world without output: message boxes return at once, and the generator is
// reseeded from the simulated clock, so every run plays the same serves.
class SimulatedPlatform : public Platform {
  public:
    void useClock(const Clock& clock) { clock_ = &clock; }
    void showMessage(const std::string&, const std::string&) override {}
    double timeOfDayMs() const override { return clock_->nowMs(); }

  private:
    const Clock* clock_ = nullptr;
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
        const float paddleMiddle = paddle.Top + 800;
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
