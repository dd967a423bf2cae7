// Level 4: the ball is hidden while its left edge crosses one of two bands, bounds included.

#include "game/zarb_window.h"

namespace zarb {

void ZarbWindow::hideInZones() {
    // Written on every tick, also when it does not change.
    const float L = imgBall.Left;
    if ((L >= 2500) & (L <= 5500)) {
        imgBall.Visible = false;
    } else if ((L >= 6000) & (L <= 9000)) {
        imgBall.Visible = false;
    } else {
        imgBall.Visible = true;
    }
}

}  // namespace zarb
