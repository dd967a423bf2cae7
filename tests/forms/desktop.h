#pragma once

// The desktop program as main() puts it together, without its real clock: the splash shown,
// or, after PLAY!, the game window.

#include <QPushButton>

#include "forms/frm_splash.h"
#include "forms/frm_zarb.h"
#include "forms/qt_platform.h"
#include "game/program.h"

struct Desktop {
    zarb::forms::QtPlatform platform;
    zarb::Program program{platform};

    explicit Desktop(bool pressPlay) {
        platform.setProgram(program);
        program.start();
        if (pressPlay) {
            program.cmdPlay_Click();
        }
    }
    zarb::forms::FrmZarb& window() { return *platform.gameWindow(); }
    zarb::ZarbWindow& zarb() { return *program.zarb(); }
    QAction* action(const char* name) { return window().findChild<QAction*>(name); }
    void press(const char* button) {
        platform.splashWindow()->findChild<QPushButton*>(button)->click();
    }
};
