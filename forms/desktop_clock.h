#pragma once

// Feeds the game's 64 Hz timer service from the real monotonic clock, at the pace the rules'
// RealClock sets: a deadline every 15.625 ms, no burst of missed ticks after a stall, and no
// wake-up at all while no timer is enabled (the splash, a paused match).

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

#include "game/real_clock.h"

namespace zarb {
class Program;
}  // namespace zarb

namespace zarb::forms {

class DesktopClock : public QObject {
    Q_OBJECT
  public:
    DesktopClock(Program& program, std::function<void()> afterTick);
    ~DesktopClock() override;

    void start();

    // Whether the clock has a tick coming; false while it sleeps.
    bool running() const { return timer_.isActive(); }

    // When the last tick was due: ticks keep an even pace on their grid though the wake-up that
    // makes each one comes a little early or late.
    std::chrono::steady_clock::time_point lastTickDue() const;

  private:
    void onTimer();
    void wake();
    double nowMs() const;

    Program& program_;
    RealClock pace_;
    std::function<void()> afterTick_;
    QTimer timer_;
    bool started_ = false;
    std::chrono::steady_clock::time_point origin_ = std::chrono::steady_clock::now();
};

}  // namespace zarb::forms
