// What a person does counts only where the game lets it: a button or close box on a shown
// window, a menu item that can be reached on the shown game window, a key while the game window
// is shown, and nothing once the program has ended.

#include "game/program.h"

#include <gtest/gtest.h>

#include <functional>

#include "game/simulated_platform.h"
#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

enum class Stage { Splash, InfoOnTheSplash, Playing, Matching, Ended };

struct DoorRow {
    const char* name;
    Stage stage;
    std::function<bool(Program&)> act;
    bool wantActed;
};
using FrontDoor = ::testing::TestWithParam<DoorRow>;

const MenuBarEntry& menuEntry(const char* name) {
    for (const MenuBarEntry& entry : kMenuBar) {
        if (std::string_view(entry.name) == name) {
            return entry;
        }
    }
    throw std::out_of_range(name);
}

TEST_P(FrontDoor, CountsWhatAPersonDoesOnlyWhereTheGameLetsIt) {
    const DoorRow& row = GetParam();
    Clock clock;
    SimulatedPlatform platform{clock};
    Program program{platform, clock};
    program.start();
    if (row.stage == Stage::InfoOnTheSplash) {
        program.cmdInfo_Click();
    } else if (row.stage != Stage::Splash) {
        program.cmdPlay_Click();
    }
    if (row.stage == Stage::Matching) {
        program.zarb()->mnuNew_Click();
        program.timers().run(1000);
    }
    if (row.stage == Stage::Ended) {
        program.zarb()->mnuExit_Click();
    }
    EXPECT_EQ(row.act(program), row.wantActed);
}

const auto kPlay = [](Program& p) { return p.pressSplashButton(kSplashButtons[0]); };
const auto kF1 = [](Program& p) { return p.pressKey(keys::kF1, 0); };
const auto kNewGame = [](Program& p) { return p.chooseMenuItem(menuEntry("mnuNew")); };
const auto kLevel2 = [](Program& p) { return p.chooseMenuItem(menuEntry("mnuLevel2")); };
const auto kLevelHeading = [](Program& p) { return p.chooseMenuItem(menuEntry("mnuLevel")); };
const auto kCloseSplash = [](Program& p) { return p.closeWindow(WindowId::frmSplash); };
const auto kCloseGame = [](Program& p) { return p.closeWindow(WindowId::frmZarb); };

const DoorRow kDoorRows[] = {
    {"PLAY on the splash counts", Stage::Splash, kPlay, true},
    {"PLAY once the splash is gone does not", Stage::Playing, kPlay, false},
    {"the splash's close box counts while it is shown", Stage::Splash, kCloseSplash, true},
    {"the splash's close box does not once it is gone", Stage::Playing, kCloseSplash, false},
    {"a key does not count on the splash", Stage::Splash, kF1, false},
    {"a key does not count in the game window INFO loaded hidden", Stage::InfoOnTheSplash, kF1,
     false},
    {"a key counts in the shown game window", Stage::Playing, kF1, true},
    {"a menu item of the hidden game window does not count", Stage::InfoOnTheSplash, kNewGame,
     false},
    {"a menu item of the shown game window counts", Stage::Playing, kNewGame, true},
    {"a level between matches counts", Stage::Playing, kLevel2, true},
    {"a level in a match is greyed out with its menu", Stage::Matching, kLevel2, false},
    {"a menu heading is no item to choose", Stage::Playing, kLevelHeading, false},
    {"the game window's close box counts while it is shown", Stage::Playing, kCloseGame, true},
    {"the hidden game window has no close box", Stage::InfoOnTheSplash, kCloseGame, false},
    {"no key counts once the program has ended", Stage::Ended, kF1, false},
    {"no menu item counts once the program has ended", Stage::Ended, kNewGame, false},
    {"no close box counts once the program has ended", Stage::Ended, kCloseGame, false},
};
INSTANTIATE_TEST_SUITE_P(Rows, FrontDoor, ::testing::ValuesIn(kDoorRows), rowName<DoorRow>);

}  // namespace
}  // namespace zarb::testing
