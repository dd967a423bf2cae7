// The moving pieces drawn between two ticks: evenly in a straight flight at any pace of frames,
// at once where they jumped, and shown or hidden as the latest tick left them.

#include "game/motion.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

constexpr double kTickMs = TimerService::kTickMs;

struct Drawing : WindowTest {
    Motion motion;

    // One tick of the clock, as a face sees it.
    void tick() {
        game.timers.run(kTickMs);
        motion.ticked(w);
    }
    float shownLeft(const Control& control, float share) const {
        return motion.shownAt(w, control, share).Left;
    }
};

struct FramePaceRow {
    const char* name;
    double framesPerSecond;
    int speed;
};
struct EvenFrames : Drawing, ::testing::WithParamInterface<FramePaceRow> {};

// Frames come evenly, ticks come evenly: the ball advances by the same length in every frame,
// though a frame now and then falls in the same tick as the one before or skips one.
TEST_P(EvenFrames, GiveTheBallEvenAdvancesInAStraightFlight) {
    const FramePaceRow& row = GetParam();
    chooseSpeed(w, row.speed);
    game.serve(0.9f, 0.9f, 0.5f);  // the serve's draws, then a straight flight
    w.ballStepY = 0;
    w.imgBall.Left = 500;
    w.ballDirX = kRight;
    motion.changed(w);
    const double frameMs = 1000 / row.framesPerSecond;
    double lastTickMs = 0;
    std::vector<float> lefts;
    for (double frame = 1; frame * frameMs < 30 * kTickMs; ++frame) {
        const double at = frame * frameMs;
        while (lastTickMs + kTickMs <= at) {
            lastTickMs += kTickMs;
            tick();
        }
        if (at > 2 * kTickMs) {  // once the flight is under way
            lefts.push_back(shownLeft(w.imgBall, Motion::shareOfTick(at - lastTickMs)));
        }
    }
    std::vector<float> advances;
    for (std::size_t i = 1; i < lefts.size(); ++i) {
        advances.push_back(lefts[i] - lefts[i - 1]);
    }
    const auto [fewest, most] = std::minmax_element(advances.begin(), advances.end());
    EXPECT_GT(*fewest, 0);
    EXPECT_LT(*most - *fewest, 0.01f) << "frames of " << *fewest << " to " << *most << " twips";
}

const FramePaceRow kFramePaceRows[] = {
    {"60 frames a second", 60, 160},   {"120 frames a second", 120, 160},
    {"144 frames a second", 144, 230}, {"as many frames as ticks", 64, 115},
    {"30 frames a second", 30, 185},
};
INSTANTIATE_TEST_SUITE_P(Rows, EvenFrames, ::testing::ValuesIn(kFramePaceRows),
                         rowName<FramePaceRow>);

struct JumpRow {
    const char* name;
    std::function<void(ZarbWindow&)> set;     // the rally as it stands before the change
    std::function<void(ZarbWindow&)> change;  // a handler that moves a piece
    bool byTick;                              // the change comes with a tick
    Control ZarbWindow::*piece;
};
struct Jumps : Drawing, ::testing::WithParamInterface<JumpRow> {};

// Half a tick after the change the piece is already at its new place, not on its way there.
TEST_P(Jumps, AreDrawnAtTheNewPlaceAtOnce) {
    const JumpRow& row = GetParam();
    game.serve(0.9f, 0.9f, 0.5f);
    row.set(w);
    motion.changed(w);
    tick();
    row.change(w);
    if (row.byTick) {
        tick();
    } else {
        motion.changed(w);
    }
    const Control& piece = w.*row.piece;
    const ShownPiece shown = motion.shownAt(w, piece, 0.5f);
    EXPECT_EQ(shown.Left, piece.Left);
    EXPECT_EQ(shown.Top, piece.Top);
}

const JumpRow kJumpRows[] = {
    {"a point puts the ball back at its serve place",
     [](ZarbWindow& w) { aimBall(w, kRight, kDown, 40, 11000, 4000); },
     [](ZarbWindow& w) { w.imgBall.Left = 11800; }, true, &ZarbWindow::imgBall},
    {"the ball wraps from the top to the floor on level 3",
     [](ZarbWindow& w) {
         w.mnuLevel3_Click();
         aimBall(w, kRight, kUp, 60, 3000, 40);
     },
     [](ZarbWindow&) {}, true, &ZarbWindow::imgBall2},
    {"End Game puts the ball back in the middle",
     [](ZarbWindow& w) { aimBall(w, kRight, kDown, 40, 3000, 6000); },
     [](ZarbWindow& w) { w.mnuEnd_Click(); }, false, &ZarbWindow::imgBall},
    {"a level with an obstacle puts the ball above it", [](ZarbWindow& w) { w.mnuEnd_Click(); },
     [](ZarbWindow& w) { w.mnuLevel2_Click(); }, false, &ZarbWindow::imgBall},
    {"a paddle set further than a step by a script", [](ZarbWindow&) {},
     [](ZarbWindow& w) { w.imgLeft.Top = 6000; }, false, &ZarbWindow::imgLeft},
    {"a paddle set a little by a script between ticks", [](ZarbWindow&) {},
     [](ZarbWindow& w) { w.imgRight.Top += 3; }, false, &ZarbWindow::imgRight},
    {"a paddle set a twip aside jumps with the tick", [](ZarbWindow&) {},
     [](ZarbWindow& w) { w.imgLeft.Left += 1; }, true, &ZarbWindow::imgLeft},
    {"the obstacle set a twip lower jumps with the tick",
     [](ZarbWindow& w) { w.mnuLevel5_Click(); }, [](ZarbWindow& w) { w.shpObstacle.Top += 1; },
     true, &ZarbWindow::shpObstacle},
};
INSTANTIATE_TEST_SUITE_P(Rows, Jumps, ::testing::ValuesIn(kJumpRows), rowName<JumpRow>);

using Stepping = Drawing;

// The paddle moved by a held key goes from one tick's place to the next; a key-down between
// ticks, which moves nothing, does not stop the ball on its way.
TEST_F(Stepping, PiecesGoOnTheirWayThroughAKeyBetweenTicks) {
    game.serve(0.9f, 0.9f, 0.5f);
    w.Form_KeyDown(keys::kZ, 0);
    motion.changed(w);
    const float paddleBefore = w.imgLeft.Top;
    const float ballBefore = w.imgBall.Left;
    tick();
    w.Form_KeyUp(keys::kZ, 0);
    motion.changed(w);
    EXPECT_TRUE(motion.moving());
    EXPECT_EQ(motion.shownAt(w, w.imgLeft, 0).Top, paddleBefore);
    EXPECT_EQ(motion.shownAt(w, w.imgLeft, 1).Top, w.imgLeft.Top);
    EXPECT_EQ(shownLeft(w.imgBall, 0), ballBefore);
    EXPECT_EQ(shownLeft(w.imgBall, 1), w.imgBall.Left);
}

// Pieces that stood still for a tick leave nothing to draw between ticks.
TEST_F(Stepping, NothingMovesWhileTheBallRestsAndNoKeyIsHeld) {
    w.mnuEnd_Click();
    motion.changed(w);
    tick();
    tick();
    EXPECT_FALSE(motion.moving());
}

struct ShownRow {
    const char* name;
    std::function<void(ZarbWindow&)> set;
    Control ZarbWindow::*piece;
    bool wantVisible;
};
struct Shown : Drawing, ::testing::WithParamInterface<ShownRow> {};

// Between the tick that hid or showed a piece and the next, the piece is as that tick left it.
TEST_P(Shown, FollowsTheLatestTick) {
    const ShownRow& row = GetParam();
    game.serve(0.9f, 0.9f, 0.5f);
    row.set(w);
    motion.changed(w);
    tick();
    for (const float share : {0.0f, 0.5f, 1.0f}) {
        EXPECT_EQ(motion.shownAt(w, w.*row.piece, share).Visible, row.wantVisible) << share;
    }
}

const ShownRow kShownRows[] = {
    {"the ball entering a hidden band on level 4",
     [](ZarbWindow& w) {
         w.mnuLevel4_Click();
         w.imgBall.Visible = true;
         aimBall(w, kRight, kDown, 0, 3000, 4000);
     },
     &ZarbWindow::imgBall, false},
    {"the first ball hidden by the wrap on level 3",
     [](ZarbWindow& w) {
         w.mnuLevel3_Click();
         aimBall(w, kRight, kUp, 60, 3000, -20);
     },
     &ZarbWindow::imgBall, false},
    {"the second ball shown by the wrap on level 3",
     [](ZarbWindow& w) {
         w.mnuLevel3_Click();
         w.imgBall2.Visible = false;
         aimBall(w, kRight, kUp, 60, 3000, -20);
     },
     &ZarbWindow::imgBall2, true},
};
INSTANTIATE_TEST_SUITE_P(Rows, Shown, ::testing::ValuesIn(kShownRows), rowName<ShownRow>);

struct ShareRow {
    const char* name;
    double sinceTickMs;
    float wantShare;
};
struct ShareOfTick : ::testing::TestWithParam<ShareRow> {};

TEST_P(ShareOfTick, StaysWithinOneTick) {
    EXPECT_EQ(Motion::shareOfTick(GetParam().sinceTickMs), GetParam().wantShare);
}

const ShareRow kShareRows[] = {
    {"at the tick", 0, 0},
    {"a frame timed a little before the tick", -2, 0},
    {"half a tick later", kTickMs / 2, 0.5f},
    {"a whole tick later", kTickMs, 1},
    {"a late tick still shows the last one", 3 * kTickMs, 1},
};
INSTANTIATE_TEST_SUITE_P(Rows, ShareOfTick, ::testing::ValuesIn(kShareRows), rowName<ShareRow>);

}  // namespace
}  // namespace zarb::testing
