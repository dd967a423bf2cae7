#pragma once

// A game window as the program loads it, on a platform that plays scripted random draws and
// counts the reseeds of the generator.

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <deque>
#include <initializer_list>
#include <string>
#include <utility>

#include "game/simulated_platform.h"
#include "game/timers.h"
#include "game/zarb_window.h"

namespace zarb::testing {

// Rows and cases name the direction codes.
using namespace zarb::dir;

class RecordingPlatform : public SimulatedPlatform {
  public:
    using SimulatedPlatform::SimulatedPlatform;
    void reseedRandom() override {
        ++reseeds;
        Platform::reseedRandom();
    }
    // The scripted draws first, then the game's own generator.
    float drawRandom() override {
        if (draws.empty()) {
            return Platform::drawRandom();
        }
        const float r = draws.front();
        draws.pop_front();
        return r;
    }

    std::deque<float> draws;
    int reseeds = 0;
};

// The game window after Form_Load, with the timer service that ticks it.
struct LoadedWindow {
    LoadedWindow() {
        timers.attach(&window);
        window.Form_Load();
    }
    // New Game with the serve's three draws scripted, then the one second until the serve.
    void serve(float rDirX, float rDirY, float rStep) {
        platform.draws = {rDirX, rDirY, rStep};
        window.mnuNew_Click();
        timers.run(1000);
    }

    Clock clock;
    RecordingPlatform platform{clock};
    ZarbWindow window{platform, clock};
    TimerService timers{clock, platform};
};

struct WindowTest : ::testing::Test {
    LoadedWindow game;
    ZarbWindow& w = game.window;
};

// One row a case: the row is the test's parameter.
template <class Row>
struct WindowTable : ::testing::TestWithParam<Row> {
    LoadedWindow game;
    ZarbWindow& w = game.window;
    const Row& row = this->GetParam();
};

// Rows carry a sentence as their name; GoogleTest wants letters, digits and underscores.
template <class Row>
std::string rowName(const ::testing::TestParamInfo<Row>& info) {
    std::string name = info.param.name;
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

// Gives the ball its directions and vertical step, and puts it one step short of (left, top):
// the next ball tick's step brings it exactly there (and the second picture to top2).
inline void aimBall(ZarbWindow& w, int dirX, int dirY, float stepY, float left, float top,
                    float top2) {
    w.ballDirX = dirX;
    w.ballDirY = dirY;
    w.ballStepY = stepY;
    const float dy = dirY == kUp ? std::fabs(stepY) : (dirY == kDown ? -std::fabs(stepY) : 0);
    w.imgBall.Left = w.imgBall2.Left =
        left + (dirX == kRight ? -w.speedSetting : (dirX == kLeft ? w.speedSetting : 0));
    w.imgBall.Top = top + dy;
    w.imgBall2.Top = top2 + dy;
}
inline void aimBall(ZarbWindow& w, int dirX, int dirY, float stepY, float left, float top) {
    aimBall(w, dirX, dirY, stepY, left, top, top);
}

// The ball leaves the field on the loser's side and the point is scored on this tick.
inline void scorePoint(ZarbWindow& w, int winner) {
    w.ballDirX = winner == 1 ? kRight : kLeft;
    w.imgBall.Left = winner == 1 ? 11600 : -100;
    w.tmrBall_Timer();
}

inline void chooseSpeed(ZarbWindow& w, int speed) {
    (w.*(speed == 115   ? &ZarbWindow::mnuSluggish_Click
         : speed == 140 ? &ZarbWindow::mnuSlow_Click
         : speed == 185 ? &ZarbWindow::mnuFast_Click
         : speed == 230 ? &ZarbWindow::mnuReallyfast_Click
                        : &ZarbWindow::mnuMedium_Click))();
}

inline void chooseLevel(ZarbWindow& w, int level) {
    (w.*(level == 2   ? &ZarbWindow::mnuLevel2_Click
         : level == 3 ? &ZarbWindow::mnuLevel3_Click
         : level == 4 ? &ZarbWindow::mnuLevel4_Click
         : level == 5 ? &ZarbWindow::mnuLevel5_Click
                      : &ZarbWindow::mnuLevel1_Click))();
}

// The captions of the checked items of a submenu: "exactly this one" reads as one string.
inline std::string checked(std::initializer_list<const MenuItem*> items) {
    std::string captions;
    for (const MenuItem* item : items) {
        captions += item->Checked ? (captions.empty() ? "" : ", ") + item->Caption : "";
    }
    return captions;
}
inline std::string speedChecks(const ZarbWindow& w) {
    return checked({&w.mnuSluggish, &w.mnuSlow, &w.mnuMedium, &w.mnuFast, &w.mnuReallyfast});
}

// The three settings submenus are enabled and disabled together.
inline std::string settingsMenus(const ZarbWindow& w) {
    const int enabled = w.mnuSpeed.Enabled + w.mnuPlayers.Enabled + w.mnuLevel.Enabled;
    return enabled == 3 ? "enabled" : (enabled == 0 ? "disabled" : "mixed");
}

// The running timers, in the order the clock fires them.
inline std::string runningTimers(const ZarbWindow& w) {
    std::string names;
    for (const auto& [timer, name] :
         {std::pair{&w.tmrBall, "Ball"}, std::pair{&w.tmrLeft, "Left"},
          std::pair{&w.tmrRight, "Right"}, std::pair{&w.tmrStart, "Start"}}) {
        names += timer->Enabled() ? (names.empty() ? "" : " ") + std::string(name) : "";
    }
    return names;
}

}  // namespace zarb::testing
