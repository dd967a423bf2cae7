#include "game/timers.h"

#include "game/platform.h"

namespace zarb {

// A timer enabled as its window is made wakes no clock yet: the window is not ticked until it is
// attached to the timer service, which wakes the clock then.
Timer::Timer(const Clock& clock, int interval, bool enabled)
    : clock_(&clock), interval_(interval), enabled_(enabled), countFrom_(clock.now()) {}

void Timer::setEnabled(bool enabled) {
    const bool enabling = enabled && !enabled_;
    if (enabling) {
        countFrom_ = clock_->now();
    }
    enabled_ = enabled;
    if (enabling) {
        clock_->timerEnabled();
    }
}

void Timer::setInterval(int interval) {
    interval_ = interval;
    if (enabled_) {
        countFrom_ = clock_->now();
    }
}

bool Timer::dueAt(const ClockTime& tick) const {
    return enabled_ &&
           countFrom_ + ClockTime::fromMicroseconds(std::uint64_t{1000} * interval_) <= tick;
}

void TimerService::attach(TimedWindow* window) {
    window_ = window;
    if (anyEnabled()) {
        clock_.timerEnabled();
    }
}

void TimerService::run(const ClockTime& span) {
    const ClockTime end = clock_.now() + span;
    // Ticks fall on whole microseconds: a tick lies within the span when its microsecond does.
    const std::uint64_t lastTick = end.wholeMicroseconds() / kTickMicroseconds;
    while (!platform_.ended() && ticks_ < lastTick) {
        if (window_ == nullptr) {
            // Nothing ticks before the game window is loaded: jump to the last tick of the span.
            ticks_ = lastTick;
            break;
        }
        tick();
    }
    if (!platform_.ended()) {
        clock_.setNow(end);
    }
}

void TimerService::tick() {
    ++ticks_;
    const ClockTime tickTime = ClockTime::fromMicroseconds(ticks_ * kTickMicroseconds);
    clock_.setNow(tickTime);
    if (window_ != nullptr) {
        window_->fireDueTimers(tickTime);
    }
}

bool TimerService::anyEnabled() const {
    return window_ != nullptr && window_->anyTimerEnabled();
}

}  // namespace zarb
