#include "game/program.h"

namespace zarb {

Program::Program(Platform& platform, Clock& clock)
    : platform_(platform), clock_(clock), timers_(clock, platform) {}

void Program::start() {
    splashLoaded_ = true;
    platform_.windowLoaded(*this, WindowId::frmSplash);
    splashVisible_ = true;
    platform_.windowShown(WindowId::frmSplash, true);
}

ZarbWindow& Program::loadZarb() {
    if (zarb_ == nullptr) {
        zarb_ = std::make_unique<ZarbWindow>(platform_, clock_);
        timers_.attach(zarb_.get());
        platform_.windowLoaded(*this, WindowId::frmZarb);
        zarb_->Form_Load();
    }
    return *zarb_;
}

void Program::showZarb() {
    loadZarb();
    zarbVisible_ = true;
    platform_.windowShown(WindowId::frmZarb, true);
}

void Program::cmdPlay_Click() {
    splashVisible_ = false;
    platform_.windowShown(WindowId::frmSplash, false);
    splashLoaded_ = false;
    platform_.windowUnloaded(WindowId::frmSplash);
    showZarb();
}

// INFO shows the game window's controls box; the game window is loaded for it but stays hidden,
// and a later PLAY! shows that same window without loading it again.
void Program::cmdInfo_Click() {
    loadZarb().mnuControls_Click();
}

void Program::cmdExit_Click() {
    platform_.endProgram();
}

bool Program::isShown(WindowId window) const {
    const bool shown = window == WindowId::frmSplash ? splashVisible_ : zarbVisible_;
    return shown && !ended();
}

bool Program::chooseMenuItem(const MenuBarEntry& entry) {
    if (entry.handler == nullptr || !isShown(WindowId::frmZarb) ||
        !(zarb_.get()->*entry.item).reachable()) {
        return false;
    }
    (zarb_.get()->*entry.handler)();
    return true;
}

bool Program::pressSplashButton(const SplashButton& button) {
    if (!isShown(WindowId::frmSplash)) {
        return false;
    }
    (this->*button.handler)();
    return true;
}

bool Program::closeWindow(WindowId window) {
    if (!isShown(window)) {
        return false;
    }
    // Closing the splash ends the program; closing the game window unloads it, which ends it.
    if (window == WindowId::frmSplash) {
        platform_.endProgram();
    } else {
        zarb_->Form_Unload();
    }
    return true;
}

bool Program::pressKey(int keyCode, int shift) {
    if (!isShown(WindowId::frmZarb)) {
        return false;
    }
    zarb_->Form_KeyDown(keyCode, shift);
    return true;
}

bool Program::releaseKey(int keyCode, int shift) {
    if (!isShown(WindowId::frmZarb)) {
        return false;
    }
    zarb_->Form_KeyUp(keyCode, shift);
    return true;
}

void Program::tick() {
    if (!ended()) {
        timers_.tick();
    }
}

}  // namespace zarb
