#include "game/program.h"

namespace zarb {

Program::Program(Platform& platform) : platform_(platform), timers_(clock_, platform) {}

void Program::start() {
    splashLoaded_ = true;
    platform_.windowLoaded(WindowId::frmSplash);
    splashVisible_ = true;
    platform_.windowShown(WindowId::frmSplash, true);
}

ZarbWindow& Program::loadZarb() {
    if (zarb_ == nullptr) {
        zarb_ = std::make_unique<ZarbWindow>(platform_, clock_);
        timers_.attach(zarb_.get());
        platform_.windowLoaded(WindowId::frmZarb);
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

void Program::closeSplash() {
    platform_.endProgram();
}

void Program::closeZarb() {
    loadZarb().Form_Unload();
}

}  // namespace zarb
