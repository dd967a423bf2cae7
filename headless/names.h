#pragma once

// The game window's variables and control properties by their names, as zarb-headless reads and
// writes them, in the order `state` prints them.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/menu_bar.h"
#include "game/platform.h"
#include "game/program.h"
#include "game/zarb_window.h"

namespace zarb::headless {

enum class ValueKind {
    Whole,     // a 32-bit whole number
    Score,     // a whole number set as a 32-bit one, which points carry beyond that
    Decimal,   // a single-precision value
    Flag,      // Visible, Checked, a menu's Enabled
    TimerOn,   // a timer's Enabled
    Interval,  // a timer's Interval, 1 to 65535
    Caption,   // a label's or menu item's text
};

// Where one named value lives in a loaded game window.
struct ValueRef {
    ValueKind kind;
    void* target;  // int32_t, int64_t, float, bool, std::string or Timer by kind
};

struct NamedValue {
    std::string name;
    ValueRef (*resolve)(ZarbWindow&, const NamedValue&);
    std::size_t member;  // which member of its table resolve reads
};

// Every name of the game window, in state order; nullptr from find for an unknown name.
const std::vector<NamedValue>& windowValues();
const NamedValue* findWindowValue(std::string_view name);

// The game window's handlers that take no arguments, and the menu items a person can click.
using Handler = void (ZarbWindow::*)();
Handler findHandler(std::string_view name);

// A menu item a person can choose (one with a handler), or none.
const MenuBarEntry* findMenuItem(std::string_view name);
// A splash button by its name followed by suffix ("" for the button, "_Click" for its handler).
const SplashButton* findSplashButton(std::string_view name, std::string_view suffix);
std::optional<WindowId> findWindow(std::string_view name);
// Submenu headings and separators: clicking them is not a thing a person can do.
bool isMenuHeadingOrSeparator(std::string_view name);

}  // namespace zarb::headless
