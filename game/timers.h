#pragma once

// The window timers and the one clock that drives them. The clock ticks every 15.625 ms (64 ticks
// a second); an enabled timer of interval I fires on the first clock tick at which at least I ms
// have passed since it was enabled or last fired, and the due timers of one clock tick fire in the
// fixed order tmrBall, tmrLeft, tmrRight, tmrStart. zarb-headless runs the clock in simulated
// time; the desktop program makes one clock tick each time its real clock passes a deadline, and
// none while no timer is enabled, when a tick could fire nothing.

#include <cstdint>
#include <functional>
#include <utility>

#include "game/clock_time.h"

namespace zarb {

class Platform;

// A window whose timers the clock ticks: it fires its due timers in its own fixed order.
class TimedWindow {
  public:
    virtual void fireDueTimers(const ClockTime& tick) = 0;
    virtual bool anyTimerEnabled() const = 0;

  protected:
    ~TimedWindow() = default;
};

class Clock {
  public:
    const ClockTime& now() const { return now_; }
    void setNow(const ClockTime& now) { now_ = now; }
    double nowMs() const { return now_.ms(); }

    // Told whenever a timer goes from disabled to enabled: a real clock that sleeps while no
    // timer is enabled wakes up here.
    void onTimerEnabled(std::function<void()> wake) { wake_ = std::move(wake); }
    void timerEnabled() const {
        if (wake_) {
            wake_();
        }
    }

  private:
    ClockTime now_;
    std::function<void()> wake_;
};

class Timer {
  public:
    Timer(const Clock& clock, int interval, bool enabled);

    bool Enabled() const { return enabled_; }
    // Enabling an enabled timer changes nothing; disabling forgets the count.
    void setEnabled(bool enabled);
    int Interval() const { return interval_; }
    // A new interval on an enabled timer starts its count afresh.
    void setInterval(int interval);

    // A timer whose handler waits in a message box fires again behind it: the ball timer keeps
    // ticking behind its own match-won box, with the ball at rest.
    bool dueAt(const ClockTime& tick) const;
    void beginFiring(const ClockTime& tick) { countFrom_ = tick; }

  private:
    const Clock* clock_;
    int interval_;
    bool enabled_;
    ClockTime countFrom_;
};

class TimerService {
  public:
    static constexpr double kTickMs = 15.625;
    static constexpr std::uint64_t kTickMicroseconds = 15625;

    TimerService(Clock& clock, const Platform& platform) : clock_(clock), platform_(platform) {}

    // The window whose timers tick; none until the game window is loaded. Its timers that are
    // enabled from the start were enabled before the service could tick them: a clock asleep
    // hears of them as the window is attached.
    void attach(TimedWindow* window);

    // Advances the clock by a span, firing the timers at every clock tick on the way.
    void run(const ClockTime& span);
    void run(double ms) { run(ClockTime::fromMs(ms)); }

    // Makes the next clock tick now: the desktop calls this once per real deadline.
    void tick();

    // Whether a tick could fire anything: a loaded window with at least one timer enabled.
    bool anyEnabled() const;
    void onTimerEnabled(std::function<void()> wake) { clock_.onTimerEnabled(std::move(wake)); }

  private:
    Clock& clock_;
    const Platform& platform_;
    TimedWindow* window_ = nullptr;
    std::uint64_t ticks_ = 0;
};

}  // namespace zarb
