// The held-key flags and command keys, the two paddle timers and the paddle steps they share.

#include "game/single.h"
#include "game/zarb_window.h"

namespace zarb {

void ZarbWindow::Form_KeyDown(int keyCode, int /*shift: Shift+A acts like A*/) {
    // Pressing one key of a pair takes over from its partner, so both are never held at once.
    switch (keyCode) {
        case keys::kA:
            keyLeftUp = 1;
            keyLeftDown = 0;
            break;
        case keys::kZ:
            keyLeftDown = 1;
            keyLeftUp = 0;
            break;
        case keys::kApostrophe:
            keyRightUp = 1;
            keyRightDown = 0;
            break;
        case keys::kSlash:
            keyRightDown = 1;
            keyRightUp = 0;
            break;
        // The command keys run their commands whatever the state of the menu items.
        case keys::kF1:
            mnuNew_Click();
            break;
        case keys::kF2:
            mnuEnd_Click();
            break;
        case keys::kEscape:
            mnuPause_Click();
            break;
        default:
            break;
    }
}

void ZarbWindow::Form_KeyUp(int keyCode, int /*shift*/) {
    switch (keyCode) {
        case keys::kA:
            keyLeftUp = 0;
            break;
        case keys::kZ:
            keyLeftDown = 0;
            break;
        case keys::kApostrophe:
            keyRightUp = 0;
            break;
        case keys::kSlash:
            keyRightDown = 0;
            break;
        default:
            break;
    }
}

void ZarbWindow::tmrLeft_Timer() {
    if (keyLeftUp == 1) {
        stepUp(imgLeft);
    }
    if (keyLeftDown == 1) {
        stepDown(imgLeft, true);
    }
}

void ZarbWindow::tmrRight_Timer() {
    // The mode is read afresh on every tick: a change of players takes over at once.
    if (players == 2) {
        if (keyRightUp == 1) {
            stepUp(imgRight);
        }
        if (keyRightDown == 1) {
            stepDown(imgRight, true);
        }
    } else {
        steerOpponent();
    }
}

void ZarbWindow::stepUp(Control& paddle) {
    // The whole-number step is compared with the position as the number it is, not rounded to
    // single precision first (double holds both exactly).
    if (double{paddle.Top} >= speedSetting) {
        paddle.Top = single(double{paddle.Top} - speedSetting);
    } else {
        paddle.Top = 0;
    }
}

// The floor limit puts the paddle's lower edge on the score bar. A person's step down moves on
// while the paddle is strictly above limit - step, the computer's while it is above or level;
// at equality both land on the limit.
void ZarbWindow::stepDown(Control& paddle, bool stopsStrictlyBelow) {
    const float floorLimit = single(double{lblLabel.Top} - paddle.Height);
    const float lastFullStep = single(double{floorLimit} - speedSetting);
    const bool fullStep =
        stopsStrictlyBelow ? paddle.Top < lastFullStep : paddle.Top <= lastFullStep;
    if (fullStep) {
        paddle.Top = single(double{paddle.Top} + speedSetting);
    } else {
        paddle.Top = single(double{lblLabel.Top} - paddle.Height);
    }
}

}  // namespace zarb
