#include "forms/desktop_clock.h"

#include "game/platform.h"
#include "game/timers.h"

namespace zarb::forms {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kTick = std::chrono::duration_cast<Clock::duration>(
    std::chrono::duration<double, std::milli>(TimerService::kTickMs));
// Qt's timers count whole milliseconds. Waiting for the whole milliseconds left and ticking
// within one of the deadline makes a tick as often a little early as a little late; rounding
// the wait up would make every tick late by half a millisecond on average, and a key pressed
// just before a tick would wait that much longer to show.
constexpr auto kWholeMs = std::chrono::milliseconds(1);

}  // namespace

DesktopClock::DesktopClock(TimerService& timers, const Platform& platform,
                           std::function<void()> afterTick)
    : timers_(timers), platform_(platform), afterTick_(std::move(afterTick)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &DesktopClock::onTimer);
    timers_.onTimerEnabled([this] { wake(); });
}

DesktopClock::~DesktopClock() {
    timers_.onTimerEnabled(nullptr);
}

void DesktopClock::start() {
    started_ = true;
    deadline_ = Clock::now() + kTick;
    if (timers_.anyEnabled()) {
        scheduleNext();
    }
}

void DesktopClock::wake() {
    if (!started_ || timer_.isActive() || platform_.ended()) {
        return;
    }
    // The next point of the old grid after now: the ticks keep the phase they had before the
    // sleep, as if the clock had ticked through it.
    const auto now = Clock::now();
    if (now >= deadline_) {
        deadline_ += ((now - deadline_) / kTick + 1) * kTick;
    }
    scheduleNext();
}

void DesktopClock::onTimer() {
    if (platform_.ended() || !timers_.anyEnabled()) {
        return;  // asleep until a timer is enabled
    }
    const auto now = Clock::now();
    if (now + kWholeMs < deadline_) {
        scheduleNext();  // woke early
        return;
    }
    deadline_ += kTick;
    if (now >= deadline_) {
        // Behind by a whole tick or more: start afresh from now, with no catch-up burst.
        deadline_ = now + kTick;
    }
    // The next tick is scheduled before this one runs: a handler that opens a message box
    // keeps the clock ticking behind it.
    scheduleNext();
    timers_.tick();
    if (platform_.ended()) {
        return;
    }
    if (!timers_.anyEnabled()) {
        timer_.stop();  // the tick disabled the last timer
    }
    afterTick_();
}

void DesktopClock::scheduleNext() {
    const auto wait = deadline_ - Clock::now();
    const auto waitMs = std::chrono::floor<std::chrono::milliseconds>(wait).count();
    timer_.start(static_cast<int>(waitMs < 0 ? 0 : waitMs));
}

}  // namespace zarb::forms
