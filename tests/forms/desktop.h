#pragma once

// The desktop program as main() puts it together, without its real clock: the splash shown,
// or, after PLAY!, the game window.

#include <QPushButton>
#include <string>
#include <vector>

#include "forms/frm_splash.h"
#include "forms/frm_zarb.h"
#include "forms/qt_platform.h"
#include "game/program.h"

// The desktop's own platform, which can note a box's title and text instead of opening it.
class NotingPlatform : public zarb::forms::QtPlatform {
  public:
    struct Box {
        std::string title;
        std::string text;
        bool pausedAsShown;
    };
    bool noteBoxes = false;
    std::vector<Box> boxes;
    zarb::Program* program = nullptr;

    void showMessage(const std::string& title, const std::string& text) override {
        if (!noteBoxes) {
            QtPlatform::showMessage(title, text);
            return;
        }
        const zarb::ZarbWindow* zarb = program == nullptr ? nullptr : program->zarb();
        boxes.push_back({title, text, zarb != nullptr && zarb->mnuPause.Checked});
    }
};

struct Desktop {
    NotingPlatform platform;
    zarb::Clock clock;
    zarb::Program program{platform, clock};

    explicit Desktop(bool pressPlay) {
        platform.program = &program;
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
