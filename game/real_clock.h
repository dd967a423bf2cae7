#pragma once

// The pace of a real clock driving the game's timers, the desktop's and the web page's alike.
// Each tick has a deadline one tick length after the one before. A clock whose timer counts whole
// milliseconds wakes on the nearest one, so a tick within half a millisecond of its deadline is
// on time, as often a little early as a little late. After a stall (the process stopped, a
// window dragged, a hidden browser tab) the missed ticks are dropped rather than fired in a
// burst. While no timer is enabled a tick could fire nothing, so the clock sleeps; the first
// timer enabled wakes it on the next point of its old grid, as if it had ticked through.

namespace zarb {

class Program;

class RealClock {
  public:
    explicit RealClock(Program& program) : program_(program) {}

    // The clock starts at nowMs: its first deadline is one tick later.
    void start(double nowMs);

    // Woken at nowMs: whether a tick is due now; if it is, the deadline moves on to the next.
    // The clock then sets its next wake-up by waitMs before it makes the tick, so that a handler
    // waiting in a message box keeps the clock ticking behind it.
    bool due(double nowMs);

    // A timer was enabled at nowMs while the clock slept: its next deadline is the next point
    // of its grid after now.
    void resume(double nowMs);

    // Whether the clock has to wake at all: not while no timer is enabled, nor after the end.
    bool needed() const;

    // The whole milliseconds from nowMs to the next deadline, never below 0.
    int waitMs(double nowMs) const;

    double deadlineMs() const { return deadlineMs_; }

  private:
    Program& program_;
    double deadlineMs_ = 0;
};

}  // namespace zarb
