// Form_Load keeps a speed and a level the menus offer, and takes any other for Medium and
// level 1; the ball's vertical step starts at the speed kept, and the obstacle shows on level 2
// alone, however it stood.

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

struct KeptRow {
    const char* name;
    int speed, level;
    int wantSpeed, wantLevel;
};
using FormLoadKeeps = WindowTable<KeptRow>;

TEST_P(FormLoadKeeps, TheMenusSettingsOnly) {
    w.speedSetting = row.speed;
    w.level = row.level;
    w.shpObstacle.Visible = row.level != 2;
    w.Form_Load();
    EXPECT_EQ(w.speedSetting, row.wantSpeed);
    EXPECT_EQ(w.level, row.wantLevel);
    EXPECT_EQ(w.ballStepY, row.wantSpeed);
    EXPECT_EQ(w.shpObstacle.Visible, row.wantLevel == 2);
}

const KeptRow kKeptRows[] = {
    {"Sluggish on level 2", 115, 2, 115, 2},
    {"Slow on level 3", 140, 3, 140, 3},
    {"Fast on level 4", 185, 4, 185, 4},
    {"Supersonic on level 5", 230, 5, 230, 5},
    {"speed 150 on level 6 are not offered", 150, 6, 160, 1},
    {"speed 0 on level 0 are not offered", 0, 0, 160, 1},
};
INSTANTIATE_TEST_SUITE_P(Rows, FormLoadKeeps, ::testing::ValuesIn(kKeptRows), rowName<KeptRow>);

}  // namespace
}  // namespace zarb::testing
