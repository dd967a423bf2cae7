#pragma once

// Feeds the game's 64 Hz timer service from the real monotonic clock. Each clock tick has a
// deadline 15.625 ms after the one before; after a stall (the process stopped, the window
// dragged) the missed ticks are dropped rather than fired in a burst. While no timer is enabled
// (the splash, a paused match) a tick could fire nothing, so the clock sleeps and the program is
// not woken at all; the first timer a handler enables wakes it on the next point of its grid.

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

namespace zarb {
class Platform;
class TimerService;
}  // namespace zarb

namespace zarb::forms {

class DesktopClock : public QObject {
    Q_OBJECT
  public:
    DesktopClock(TimerService& timers, const Platform& platform, std::function<void()> afterTick);
    ~DesktopClock() override;

    void start();

    // Whether the clock has a tick coming; false while it sleeps.
    bool running() const { return timer_.isActive(); }

  private:
    void onTimer();
    void wake();
    void scheduleNext();

    TimerService& timers_;
    const Platform& platform_;
    std::function<void()> afterTick_;
    QTimer timer_;
    bool started_ = false;
    std::chrono::steady_clock::time_point deadline_;
};

}  // namespace zarb::forms
