#include "game/timers.h"

#include "game/platform.h"

namespace zarb {

Timer::Timer(const Clock& clock, int interval, bool enabled)
    : clock_(&clock), interval_(interval), enabled_(enabled), countFromMs_(clock.nowMs()) {
    if (enabled_) {
        clock.timerEnabled();
    }
}

void Timer::setEnabled(bool enabled) {
    const bool enabling = enabled && !enabled_;
    if (enabling) {
        countFromMs_ = clock_->nowMs();
    }
    enabled_ = enabled;
    if (enabling) {
        clock_->timerEnabled();
    }
}

void Timer::setInterval(int interval) {
    interval_ = interval;
    if (enabled_) {
        countFromMs_ = clock_->nowMs();
    }
}

void TimerService::run(double ms) {
    const double endMs = clock_.nowMs() + ms;
    while (!platform_.ended()) {
        const double tickMs = static_cast<double>(ticks_ + 1) * kTickMs;
        if (tickMs > endMs) {
            break;
        }
        if (window_ == nullptr) {
            // Nothing ticks before the game window is loaded: jump to the last tick of the span.
            ticks_ = static_cast<std::uint64_t>(endMs / kTickMs);
            break;
        }
        tick();
    }
    if (!platform_.ended()) {
        clock_.setNowMs(endMs);
    }
}

void TimerService::tick() {
    ++ticks_;
    const double tickMs = static_cast<double>(ticks_) * kTickMs;
    clock_.setNowMs(tickMs);
    if (window_ != nullptr) {
        window_->fireDueTimers(tickMs);
    }
}

bool TimerService::anyEnabled() const {
    return window_ != nullptr && window_->anyTimerEnabled();
}

}  // namespace zarb
