#include "forms/desktop_clock.h"

#include "game/program.h"

namespace zarb::forms {

DesktopClock::DesktopClock(Program& program, std::function<void()> afterTick)
    : program_(program), pace_(program), afterTick_(std::move(afterTick)) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &DesktopClock::onTimer);
    program_.timers().onTimerEnabled([this] { wake(); });
}

DesktopClock::~DesktopClock() {
    program_.timers().onTimerEnabled(nullptr);
}

double DesktopClock::nowMs() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - origin_)
        .count();
}

std::chrono::steady_clock::time_point DesktopClock::lastTickDue() const {
    return origin_ + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                         std::chrono::duration<double, std::milli>(pace_.deadlineMs() -
                                                                   TimerService::kTickMs));
}

void DesktopClock::start() {
    started_ = true;
    const double now = nowMs();
    pace_.start(now);
    if (pace_.needed()) {
        timer_.start(pace_.waitMs(now));
    }
}

void DesktopClock::wake() {
    if (!started_ || timer_.isActive() || !pace_.needed()) {
        return;
    }
    const double now = nowMs();
    pace_.resume(now);
    timer_.start(pace_.waitMs(now));
}

void DesktopClock::onTimer() {
    const double now = nowMs();
    if (!pace_.due(now)) {
        if (pace_.needed()) {
            timer_.start(pace_.waitMs(now));  // woke early
        }
        return;  // or asleep until a timer is enabled
    }
    // The next tick is set before this one runs: a handler that opens a message box keeps the
    // clock ticking behind it.
    timer_.start(pace_.waitMs(now));
    program_.tick();
    if (!pace_.needed()) {
        timer_.stop();  // the tick disabled the last timer, or ended the program
    }
    afterTick_();
}

}  // namespace zarb::forms
