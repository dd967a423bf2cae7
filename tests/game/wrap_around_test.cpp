// Level 3: a ball leaving through the top comes back at the score bar's top (8505) and the other
// way round, carried by two pictures.

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

struct WrapRow {
    const char* name;
    int dirY;
    float stepY, top, top2, wantTop;  // top, top2: after the ball's step
    bool wantBallShown, wantBall2Shown;
};
using WrapAround = WindowTable<WrapRow>;

TEST_P(WrapAround, CarriesTheBallAcrossTheField) {
    w.mnuLevel3_Click();  // shows both pictures
    aimBall(w, kAtRest, row.dirY, row.stepY, 5760, row.top, row.top2);
    if (row.wantBallShown != row.wantBall2Shown) {  // the picture that takes the ball shows it
        (row.wantBallShown ? w.imgBall : w.imgBall2).Visible = false;
    }
    w.tmrBall_Timer();
    EXPECT_EQ(w.imgBall.Top, row.wantTop);
    EXPECT_EQ(w.imgBall2.Top, row.wantTop);
    EXPECT_EQ(w.imgBall.Visible, row.wantBallShown);
    EXPECT_EQ(w.imgBall2.Visible, row.wantBall2Shown);
    EXPECT_EQ(w.ballDirY, row.dirY);  // the wrap keeps the direction and the step
    EXPECT_EQ(w.ballStepY, row.stepY);
}

const WrapRow kWrapRows[] = {
    {"rising to -30 it comes back at 8475", kUp, 40, -30, -30, 8475, false, true},
    {"sinking to 8600 it comes back at 95", kDown, 100, 8600, 8600, 95, false, true},
    {"at exactly 0 it goes round all four steps", kUp, 40, 0, 0, 0, true, false},
    {"at exactly 8505 it ends at 0 on the first picture", kDown, 40, 8505, 8505, 0, true, false},
    {"at exactly 8505 it wraps wherever the second is", kDown, 40, 8505, 4000, 0, true, false},
    {"at 0.5 it does not wrap", kUp, 40, 0.5f, 0.5f, 0.5f, true, true},
    {"at 8504.5 it does not wrap", kDown, 40, 8504.5f, 8504.5f, 8504.5f, true, true},
    {"a negative step rises through the top alike", kUp, -300, -100, -100, 8405, false, true},
    {"the second picture through the top takes the ball", kUp, 40, 4000, -20, 8485, true, false},
    {"the second picture through the floor takes the ball", kDown, 40, 4000, 8600, 95, true, false},
};
INSTANTIATE_TEST_SUITE_P(Rows, WrapAround, ::testing::ValuesIn(kWrapRows), rowName<WrapRow>);

using WrapAroundElsewhere = WindowTest;

TEST_F(WrapAroundElsewhere, OtherLevelsLeaveBothPicturesAsTheyAre) {
    aimBall(w, kAtRest, kUp, 40, 5760, -30);
    w.imgBall2.Top = -30;
    w.tmrBall_Timer();
    EXPECT_EQ(w.imgBall.Top, -30);
    EXPECT_EQ(w.imgBall2.Top, -30);
    EXPECT_TRUE(w.imgBall.Visible);
    EXPECT_FALSE(w.imgBall2.Visible);
}

}  // namespace
}  // namespace zarb::testing
