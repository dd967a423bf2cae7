// The game in a web page: the rules run as WebAssembly and the page is their platform. The page
// calls the exported functions below from its clock, its keys, its menus and its buttons, and
// reads the pieces and menu items back to draw them. Nothing here decides a rule.

#include <cstdint>
#include <iterator>
#include <string>

#include "game/field_pieces.h"
#include "game/menu_bar.h"
#include "game/motion.h"
#include "game/program.h"
#include "game/real_clock.h"
#include "game/timers.h"

#define ZARB_PAGE_CALL extern "C" __attribute__((import_module("env")))
#define ZARB_EXPORT extern "C" __attribute__((used, visibility("default")))

// What the page offers the rules.
ZARB_PAGE_CALL void pageShowMessage(const char* title, int titleLength, const char* text,
                                    int textLength);
ZARB_PAGE_CALL double pageTimeOfDayMs();
ZARB_PAGE_CALL void pageShowWindow(int window, int visible);
ZARB_PAGE_CALL void pageProgramEnded();

namespace zarb::web {

namespace {

class PagePlatform : public Platform {
  public:
    // A page cannot wait for a box: the page opens it modally and the handler goes on at once.
    // The timers tick on behind the box as they do on the desktop.
    void showMessage(const std::string& title, const std::string& text) override {
        pageShowMessage(title.data(), static_cast<int>(title.size()), text.data(),
                        static_cast<int>(text.size()));
    }
    double timeOfDayMs() const override { return pageTimeOfDayMs(); }
    void windowShown(WindowId window, bool visible) override {
        pageShowWindow(static_cast<int>(window), visible ? 1 : 0);
    }
    // A page cannot close itself: it says that the game has ended instead.
    void endProgram() override {
        Platform::endProgram();
        pageProgramEnded();
    }
};

PagePlatform platform;
Clock gameClock;
Program program(platform, gameClock);
RealClock realClock(program);
// Where the moving pieces are drawn between ticks, and when the last tick was due on the clock's
// grid: the page's frames count the share of a tick from there.
Motion motion;
double lastTickMs = 0;

constexpr int kMenuEntries = static_cast<int>(std::size(kMenuBar));

constexpr int kPieceCount = static_cast<int>(kFieldPieceCount);

// What the page draws of the game window: nothing before it is loaded.
const MenuItem* menuItem(int entry) {
    if (program.zarb() == nullptr || entry < 0 || entry >= kMenuEntries) {
        return nullptr;
    }
    return &(program.zarb()->*kMenuBar[entry].item);
}

const Control* piece(int index) {
    if (program.zarb() == nullptr || index < 0 || index >= kPieceCount) {
        return nullptr;
    }
    return &(program.zarb()->*kFieldPieces[index].control);
}

// After anything but a tick that may have changed the game window: a piece moved by it is drawn
// at its new place at once.
void changed() {
    if (program.zarb() != nullptr) {
        motion.changed(*program.zarb());
    }
}

}  // namespace

}  // namespace zarb::web

using namespace zarb::web;
using zarb::kFieldPieces;
using zarb::kMenuBar;
using zarb::MenuBarEntry;

ZARB_EXPORT void zarbStart(double nowMs) {
    realClock.start(nowMs);
    program.start();
    changed();
}

// The splash's buttons in kSplashButtons' order (PLAY!, INFO, EXIT), then its close box.
ZARB_EXPORT void zarbSplashButton(int button) {
    if (button >= 0 && button < static_cast<int>(zarb::kSplashButtonCount)) {
        program.pressSplashButton(zarb::kSplashButtons[button]);
    } else {
        program.closeWindow(zarb::WindowId::frmSplash);
    }
    changed();
}

ZARB_EXPORT void zarbCloseGameWindow() {
    program.closeWindow(zarb::WindowId::frmZarb);
    changed();
}

// The page's clock woke at nowMs: the tick that is due, if any. The milliseconds to wait before
// the next wake-up, or -1 while no timer is enabled and the clock sleeps.
ZARB_EXPORT int zarbClockWoke(double nowMs) {
    const bool due = realClock.due(nowMs);
    const int wait = realClock.waitMs(nowMs);
    if (due) {
        lastTickMs = realClock.deadlineMs() - zarb::TimerService::kTickMs;
        program.tick();
        if (program.zarb() != nullptr) {
            motion.ticked(*program.zarb());
        }
    }
    return realClock.needed() ? wait : -1;
}

// 1 when the clock's next tick is due at nowMs: a frame that comes before the clock's timer fires
// has the tick made first.
ZARB_EXPORT int zarbClockDue(double nowMs) {
    return realClock.needed() && realClock.waitMs(nowMs) == 0 ? 1 : 0;
}

// After an event, with the clock asleep: the wait before its next tick on its old grid, or -1
// while it sleeps on.
ZARB_EXPORT int zarbClockResume(double nowMs) {
    if (!realClock.needed()) {
        return -1;
    }
    realClock.resume(nowMs);
    return realClock.waitMs(nowMs);
}

ZARB_EXPORT void zarbKey(int down, int keyCode, int shift) {
    if (down != 0) {
        program.pressKey(keyCode, shift);
    } else {
        program.releaseKey(keyCode, shift);
    }
    changed();
}

ZARB_EXPORT int zarbMenuEntries() {
    return kMenuEntries;
}

// The entry's heading in the menu bar's order, or -1 on the menu bar.
ZARB_EXPORT int zarbMenuParent(int entry) {
    const zarb::MenuItem* item = menuItem(entry);
    for (int i = 0; item != nullptr && i < kMenuEntries; ++i) {
        if (&(program.zarb()->*kMenuBar[i].item) == item->parent) {
            return i;
        }
    }
    return -1;
}

ZARB_EXPORT const char* zarbMenuCaption(int entry) {
    const zarb::MenuItem* item = menuItem(entry);
    return item == nullptr ? "" : item->Caption.c_str();
}

// 1 checked, 2 enabled (an item only while every heading above it is), 4 checkable, 8 a
// separator above it, and the shortcut's letter from bit 8 up.
ZARB_EXPORT int zarbMenuState(int entry) {
    const zarb::MenuItem* item = menuItem(entry);
    if (item == nullptr) {
        return 0;
    }
    const MenuBarEntry& e = kMenuBar[entry];
    const bool enabled = zarb::shownEnabled(*program.zarb(), e);
    return (item->Checked ? 1 : 0) | (enabled ? 2 : 0) | (e.checkable ? 4 : 0) |
           (e.separatorBefore ? 8 : 0) | (e.shortcut << 8);
}

// A person choosing an item: the rules decide whether it counts.
ZARB_EXPORT void zarbMenuClick(int entry) {
    if (entry >= 0 && entry < kMenuEntries) {
        program.chooseMenuItem(kMenuBar[entry]);
    }
    changed();
}

ZARB_EXPORT int zarbPieces() {
    return kPieceCount;
}

// The share of a tick that has passed at nowMs since the last tick was due: 1 from a whole tick
// on, until the next.
ZARB_EXPORT float zarbShareOfTick(double nowMs) {
    return zarb::Motion::shareOfTick(nowMs - lastTickMs);
}

// 1 while some piece is drawn elsewhere between the last two ticks than at the last: frames are
// needed until a whole tick has passed.
ZARB_EXPORT int zarbMoving() {
    return motion.moving() ? 1 : 0;
}

// 1 for the pieces the rules move step by step, which the page draws in frames between ticks.
ZARB_EXPORT int zarbPieceMoves(int index) {
    for (const auto moving : zarb::kMovingPieces) {
        if (index >= 0 && index < kPieceCount && kFieldPieces[index].control == moving) {
            return 1;
        }
    }
    return 0;
}

// A piece as drawn at this share of a tick after the last tick: its Left, Top, Width, Height in
// twips, or 1 when it is visible and 0 when not. Only Left and Top lie between two ticks.
ZARB_EXPORT float zarbPiece(int index, int field, float share) {
    const zarb::Control* control = piece(index);
    if (control == nullptr) {
        return 0;
    }
    const zarb::ShownPiece shown = motion.shownAt(*program.zarb(), *control, share);
    const float values[] = {shown.Left, shown.Top, shown.Width, shown.Height,
                            shown.Visible ? 1.0f : 0.0f};
    return field >= 0 && field < 5 ? values[field] : 0;
}

// The piece's control name, by which the page finds its look.
ZARB_EXPORT const char* zarbPieceName(int index) {
    return index >= 0 && index < kPieceCount ? kFieldPieces[index].name : "";
}

ZARB_EXPORT const char* zarbPieceCaption(int index) {
    const zarb::Control* control = piece(index);
    return control == nullptr ? "" : control->Caption.c_str();
}
