#include "game/real_clock.h"

#include <cmath>

#include "game/program.h"

namespace zarb {

namespace {

constexpr double kTickMs = TimerService::kTickMs;
// Half a whole millisecond: the most a clock that waits whole milliseconds misses by.
constexpr double kOnTimeMs = 0.5;

}  // namespace

void RealClock::start(double nowMs) {
    deadlineMs_ = nowMs + kTickMs;
}

bool RealClock::needed() const {
    return program_.needsTicks();
}

void RealClock::resume(double nowMs) {
    if (nowMs >= deadlineMs_) {
        deadlineMs_ += (std::floor((nowMs - deadlineMs_) / kTickMs) + 1) * kTickMs;
    }
}

bool RealClock::due(double nowMs) {
    if (!needed() || nowMs + kOnTimeMs < deadlineMs_) {
        return false;  // asleep, or woken early
    }
    deadlineMs_ += kTickMs;
    if (nowMs >= deadlineMs_) {
        // Behind by a whole tick or more: start afresh from now, with no catch-up burst.
        deadlineMs_ = nowMs + kTickMs;
    }
    return true;
}

int RealClock::waitMs(double nowMs) const {
    const double wait = std::round(deadlineMs_ - nowMs);
    return wait < 0 ? 0 : static_cast<int>(wait);
}

}  // namespace zarb
