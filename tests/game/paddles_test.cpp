// The held-key flags, the command keys and the two paddles' steps within the field.

#include <vector>

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

struct KeyRow {
    const char* name;
    std::vector<int> events;  // a key code is its key-down, the negative code its key-up
    int wantLeftUp, wantLeftDown, wantRightUp, wantRightDown;
};
using KeyFlags = WindowTable<KeyRow>;

TEST_P(KeyFlags, FollowTheLastKeyOfEachPair) {
    for (const int event : row.events) {
        event > 0 ? w.Form_KeyDown(event, 0) : w.Form_KeyUp(-event, 0);
    }
    EXPECT_EQ(w.keyLeftUp, row.wantLeftUp);
    EXPECT_EQ(w.keyLeftDown, row.wantLeftDown);
    EXPECT_EQ(w.keyRightUp, row.wantRightUp);
    EXPECT_EQ(w.keyRightDown, row.wantRightDown);
}

const KeyRow kKeyRows[] = {
    {"A holds the left paddle up", {65}, 1, 0, 0, 0},
    {"Z pressed while A is held takes over", {65, 90}, 0, 1, 0, 0},
    {"A pressed while Z is held takes over", {90, 65}, 1, 0, 0, 0},
    {"releasing Z stops the paddle though A is down", {65, 90, -90}, 0, 0, 0, 0},
    {"releasing A after Z was pressed changes nothing", {65, 90, -65}, 0, 1, 0, 0},
    {"slash pressed while the apostrophe is held takes over", {222, 191}, 0, 0, 0, 1},
    {"releasing the apostrophe after slash changes nothing", {222, 191, -222}, 0, 0, 0, 1},
    {"the apostrophe after slash takes over", {191, 222}, 0, 0, 1, 0},
    {"auto repeat of A changes nothing", {65, 65, 65}, 1, 0, 0, 0},
    {"other keys set no flag", {66, 32, 38, 40}, 0, 0, 0, 0},
    {"End Game lets go of both up keys", {65, 222, 113}, 0, 0, 0, 0},
    {"End Game lets go of both down keys", {90, 191, 113}, 0, 0, 0, 0},
};
INSTANTIATE_TEST_SUITE_P(Rows, KeyFlags, ::testing::ValuesIn(kKeyRows), rowName<KeyRow>);

using Keys = WindowTest;

TEST_F(Keys, TheCommandKeysRunTheirCommandsWhateverTheMenus) {
    w.Form_KeyDown(keys::kA, 0);
    w.Form_KeyDown(keys::kEscape, 0);  // mnuPause is disabled: Esc pauses all the same
    EXPECT_TRUE(w.mnuPause.Checked);
    w.Form_KeyDown(keys::kEscape, 0);  // a held Esc pauses and resumes in turn
    EXPECT_FALSE(w.mnuPause.Checked);
    w.Form_KeyDown(keys::kEscape, 0);
    w.Form_KeyDown(keys::kF1, 0);  // New Game while paused
    EXPECT_FALSE(w.mnuPause.Checked || w.lblPause.Visible);
    EXPECT_EQ(runningTimers(w), "Left Right Start");
    EXPECT_EQ(w.keyLeftUp, 0);  // a held key acts again only on its next key-down
    w.Form_KeyDown(keys::kF2, 0);
    EXPECT_EQ(w.lblWin.Caption, "Game Ended");
    w.Form_KeyUp(keys::kEscape, 0);
    EXPECT_FALSE(w.mnuPause.Checked);
}

enum Hold { kNone, kUp, kDown, kBoth };

struct PaddleRow {
    const char* name;
    Hold hold;
    int speed;
    float top, wantTop;
};
using PaddleSteps = WindowTable<PaddleRow>;

// The left paddle with A and Z, and the right with the apostrophe and slash in two-player mode.
TEST_P(PaddleSteps, StayBetweenTheTopAndTheScoreBar) {
    chooseSpeed(w, row.speed);
    w.mnuTwo_Click();
    w.imgLeft.Top = w.imgRight.Top = row.top;
    w.keyLeftUp = w.keyRightUp = row.hold == kUp || row.hold == kBoth;
    w.keyLeftDown = w.keyRightDown = row.hold == kDown || row.hold == kBoth;
    w.tmrLeft_Timer();
    w.tmrRight_Timer();
    EXPECT_EQ(w.imgLeft.Top, row.wantTop);
    EXPECT_EQ(w.imgRight.Top, row.wantTop);
}

const PaddleRow kPaddleRows[] = {
    {"up from 100 stops at the top edge", kUp, 160, 100, 0},
    {"up from 160 lands on the top edge", kUp, 160, 160, 0},
    {"up from 161 takes a full step", kUp, 160, 161, 1},
    {"up at the top edge stays", kUp, 160, 0, 0},
    {"down from 6800 stops on the score bar", kDown, 160, 6800, 6915},
    {"down from 6755 lands on the score bar", kDown, 160, 6755, 6915},
    {"down from 6754 takes a full step", kDown, 160, 6754, 6914},
    {"down on the score bar stays", kDown, 160, 6915, 6915},
    {"Supersonic steps 230", kUp, 230, 3120, 2890},
    {"Sluggish steps 115", kDown, 115, 3120, 3235},
    {"no key held leaves the paddle", kNone, 160, 3120, 3120},
    {"both flags step up first then down", kBoth, 160, 100, 160},
};
INSTANTIATE_TEST_SUITE_P(Rows, PaddleSteps, ::testing::ValuesIn(kPaddleRows), rowName<PaddleRow>);

using Paddles = WindowTest;

TEST_F(Paddles, OnePlayerModeHandsTheRightPaddleToTheComputerAtOnce) {
    w.mnuTwo_Click();
    w.Form_KeyDown(keys::kApostrophe, 0);
    w.imgRight.Top = 0;
    w.mnuOne_Click();
    w.tmrRight_Timer();  // the ball rests in the middle: the computer heads home
    EXPECT_EQ(w.imgRight.Top, 160);
    w.mnuTwo_Click();
    w.Form_KeyUp(keys::kApostrophe, 0);
    w.tmrRight_Timer();  // where the computer left it, until a key is pressed
    EXPECT_EQ(w.imgRight.Top, 160);
}

}  // namespace
}  // namespace zarb::testing
