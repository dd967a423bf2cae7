#pragma once

// The game window's menu bar, as the desktop and the web page build it and as a script names it:
// each heading followed by its items, in the bar's order. Captions, check marks, the enabled
// state and where an entry hangs (on the bar, in a menu, in Edit's submenus) are the MenuItem's
// own; this table adds what the windows need besides.

#include "game/zarb_window.h"

namespace zarb {

struct MenuBarEntry {
    const char* name;  // the control's name
    MenuItem ZarbWindow::*item;
    void (ZarbWindow::*handler)();  // none for a heading
    char shortcut;                  // the letter of Ctrl+letter, or none
    bool checkable;
    bool separatorBefore;
};

inline constexpr MenuBarEntry kMenuBar[] = {
    {"mnuFile", &ZarbWindow::mnuFile, nullptr, 0, false, false},
    {"mnuNew", &ZarbWindow::mnuNew, &ZarbWindow::mnuNew_Click, 'N', false, false},
    {"mnuEnd", &ZarbWindow::mnuEnd, &ZarbWindow::mnuEnd_Click, 'E', false, false},
    {"mnuPause", &ZarbWindow::mnuPause, &ZarbWindow::mnuPause_Click, 'P', true, false},
    {"mnuExit", &ZarbWindow::mnuExit, &ZarbWindow::mnuExit_Click, 'X', false, true},
    {"mnuEdit", &ZarbWindow::mnuEdit, nullptr, 0, false, false},
    {"mnuSpeed", &ZarbWindow::mnuSpeed, nullptr, 0, false, false},
    {"mnuSluggish", &ZarbWindow::mnuSluggish, &ZarbWindow::mnuSluggish_Click, 0, true, false},
    {"mnuSlow", &ZarbWindow::mnuSlow, &ZarbWindow::mnuSlow_Click, 0, true, false},
    {"mnuMedium", &ZarbWindow::mnuMedium, &ZarbWindow::mnuMedium_Click, 0, true, false},
    {"mnuFast", &ZarbWindow::mnuFast, &ZarbWindow::mnuFast_Click, 0, true, false},
    {"mnuReallyfast", &ZarbWindow::mnuReallyfast, &ZarbWindow::mnuReallyfast_Click, 0, true, false},
    {"mnuPlayers", &ZarbWindow::mnuPlayers, nullptr, 0, false, false},
    {"mnuOne", &ZarbWindow::mnuOne, &ZarbWindow::mnuOne_Click, 'O', true, false},
    {"mnuTwo", &ZarbWindow::mnuTwo, &ZarbWindow::mnuTwo_Click, 'T', true, false},
    {"mnuLevel", &ZarbWindow::mnuLevel, nullptr, 0, false, false},
    {"mnuLevel1", &ZarbWindow::mnuLevel1, &ZarbWindow::mnuLevel1_Click, 0, true, false},
    {"mnuLevel2", &ZarbWindow::mnuLevel2, &ZarbWindow::mnuLevel2_Click, 0, true, false},
    {"mnuLevel3", &ZarbWindow::mnuLevel3, &ZarbWindow::mnuLevel3_Click, 0, true, false},
    {"mnuLevel4", &ZarbWindow::mnuLevel4, &ZarbWindow::mnuLevel4_Click, 0, true, false},
    {"mnuLevel5", &ZarbWindow::mnuLevel5, &ZarbWindow::mnuLevel5_Click, 0, true, false},
    {"mnuHelp", &ZarbWindow::mnuHelp, nullptr, 0, false, false},
    {"mnuRules", &ZarbWindow::mnuRules, &ZarbWindow::mnuRules_Click, 'R', false, false},
    {"mnuControls", &ZarbWindow::mnuControls, &ZarbWindow::mnuControls_Click, 'C', false, false},
    {"mnuAbout", &ZarbWindow::mnuAbout, &ZarbWindow::mnuAbout_Click, 'A', false, true},
};

// How the menu bar shows an entry: a heading greyed by its own Enabled (a greyed heading greys
// all that hangs in it), an item greyed unless it and every menu above it are enabled.
inline bool shownEnabled(const ZarbWindow& window, const MenuBarEntry& entry) {
    const MenuItem& item = window.*entry.item;
    return entry.handler == nullptr ? item.Enabled : item.reachable();
}

}  // namespace zarb
