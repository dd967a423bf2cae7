#pragma once

// Feeds the game's 64 Hz timer service from the real monotonic clock. Each clock tick has a
// deadline 15.625 ms after the one before; after a stall (the process stopped, the window
// dragged) the missed ticks are dropped rather than fired in a burst.

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

    void start();

  private:
    void onTimer();
    void scheduleNext();

    TimerService& timers_;
    const Platform& platform_;
    std::function<void()> afterTick_;
    QTimer timer_;
    std::chrono::steady_clock::time_point deadline_;
};

}  // namespace zarb::forms
