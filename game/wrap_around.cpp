// Level 3: no ceiling and no floor. A ball leaving through one edge comes back at the other,
// carried by two pictures: the one that has come through is shown, the other hidden.

#include "game/single.h"
#include "game/zarb_window.h"

namespace zarb {

void ZarbWindow::wrapAround() {
    // Always all four steps, each reading what the ones before it wrote. At the exact bounds
    // the ball goes through all of them and ends where it began, shown by imgBall.
    if (imgBall.Top <= 0) {
        imgBall2.Top = single(double{imgBall.Top} + lblLabel.Top);
        imgBall2.Visible = true;
        imgBall.Visible = false;
        imgBall.Top = imgBall2.Top;
    }
    if (imgBall.Top >= lblLabel.Top) {
        imgBall2.Top = single(double{imgBall.Top} - lblLabel.Top);
        imgBall2.Visible = true;
        imgBall.Visible = false;
        imgBall.Top = imgBall2.Top;
    }
    if (imgBall2.Top <= 0) {
        imgBall.Top = single(double{imgBall2.Top} + lblLabel.Top);
        imgBall.Visible = true;
        imgBall2.Visible = false;
        imgBall2.Top = imgBall.Top;
    }
    if (imgBall2.Top >= lblLabel.Top) {
        imgBall.Top = single(double{imgBall2.Top} - lblLabel.Top);
        imgBall.Visible = true;
        imgBall2.Visible = false;
        imgBall2.Top = imgBall.Top;
    }
}

}  // namespace zarb
