// The game window's four timers on a clock tick: the due ones fire in a fixed order, and none
// after a handler has ended the program.

#include "game/platform.h"
#include "game/zarb_window.h"

namespace zarb {

void ZarbWindow::fireDueTimers(const ClockTime& tick) {
    struct Entry {
        Timer ZarbWindow::*timer;
        void (ZarbWindow::*handler)();
    };
    static constexpr Entry kOrder[] = {
        {&ZarbWindow::tmrBall, &ZarbWindow::tmrBall_Timer},
        {&ZarbWindow::tmrLeft, &ZarbWindow::tmrLeft_Timer},
        {&ZarbWindow::tmrRight, &ZarbWindow::tmrRight_Timer},
        {&ZarbWindow::tmrStart, &ZarbWindow::tmrStart_Timer},
    };
    for (const Entry& entry : kOrder) {
        if (platform_.ended()) {
            return;
        }
        Timer& timer = this->*entry.timer;
        if (timer.dueAt(tick)) {
            timer.beginFiring(tick);
            (this->*entry.handler)();
        }
    }
}

bool ZarbWindow::anyTimerEnabled() const {
    return tmrBall.Enabled() || tmrLeft.Enabled() || tmrRight.Enabled() || tmrStart.Enabled();
}

}  // namespace zarb
