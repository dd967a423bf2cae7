// The Help menu's boxes.

#include "game/platform.h"
#include "game/zarb_window.h"
#include "help/help_texts.h"

namespace zarb {

// A running match is paused before a box opens, since the timers keep ticking behind it. A box
// never resumes: the player does, with Esc.
void ZarbWindow::pauseBeforeHelp() {
    if (tmrBall.Enabled() && !mnuPause.Checked) {
        mnuPause_Click();
    }
}

void ZarbWindow::mnuRules_Click() {
    pauseBeforeHelp();
    platform_.showMessage(help::rules().title, help::rules().text);
}

void ZarbWindow::mnuControls_Click() {
    pauseBeforeHelp();
    platform_.showMessage(help::controls().title, help::controls().text);
}

void ZarbWindow::mnuAbout_Click() {
    pauseBeforeHelp();
    platform_.showMessage(help::about().title, help::about().text);
}

}  // namespace zarb
