// Level 4: the ball is hidden while its left edge is within 2500 to 5500 or 6000 to 9000.

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

struct ZoneRow {
    const char* name;
    float left;
    bool wantShown;
};
using HiddenZones = WindowTable<ZoneRow>;

// The ball rests, so the phase reads the Left it is given. It writes the visibility on every
// tick: a visibility set the other way is put right on the next.
TEST_P(HiddenZones, HideTheBallWithinTheirBounds) {
    w.mnuLevel4_Click();
    w.imgBall.Left = row.left;
    for (int tick = 0; tick < 2; ++tick) {
        w.imgBall.Visible = !row.wantShown;
        w.tmrBall_Timer();
        EXPECT_EQ(w.imgBall.Visible, row.wantShown);
    }
}

const ZoneRow kZoneRows[] = {
    {"2499.5 is shown", 2499.5f, true},
    {"2500 is hidden", 2500, false},
    {"5500 is hidden", 5500, false},
    {"5500.5 is shown", 5500.5f, true},
    {"the serve at 5760 is shown", 5760, true},
    {"5999 is shown", 5999, true},
    {"6000 is hidden", 6000, false},
    {"9000 is hidden", 9000, false},
    {"9001 is shown", 9001, true},
};
INSTANTIATE_TEST_SUITE_P(Rows, HiddenZones, ::testing::ValuesIn(kZoneRows), rowName<ZoneRow>);

using HiddenZonesElsewhere = WindowTest;

TEST_F(HiddenZonesElsewhere, OtherLevelsLeaveTheBallShown) {
    w.imgBall.Left = 3000;
    w.tmrBall_Timer();
    EXPECT_TRUE(w.imgBall.Visible);
}

}  // namespace
}  // namespace zarb::testing
