// Level 2: the ball rebounds from the four faces of the obstacle at Left 5750, Top 2250, 500
// wide and 4500 high: faces at x 5750 and 6250, y 2250 and 6750.

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

struct FaceRow {
    const char* name;
    int speed;
    float stepY;
    int dirX, dirY;
    float left, top;  // after the ball's step
    int wantDirX, wantDirY;
};
using ObstacleFaces = WindowTable<FaceRow>;

TEST_P(ObstacleFaces, TurnTheBallWithinHalfAStepOfAFace) {
    chooseSpeed(w, row.speed);
    w.mnuLevel2_Click();
    aimBall(w, row.dirX, row.dirY, row.stepY, row.left, row.top);
    w.tmrBall_Timer();
    EXPECT_EQ(w.ballDirX, row.wantDirX);
    EXPECT_EQ(w.ballDirY, row.wantDirY);
}

// Medium: half a step is 80 across; a ballStepY of 40 gives 20 up and down.
const FaceRow kFaceRows[] = {
    {"moving left at 6330 turns right", 160, 40, kLeft, kDown, 6330, 4000, kRight, kDown},
    {"moving left at 6330.5 is not yet turned", 160, 40, kLeft, kDown, 6330.5f, 4000, kLeft, kDown},
    {"moving left at 6170 inside still turns", 160, 40, kLeft, kDown, 6170, 4000, kRight, kDown},
    {"moving left at 6169.5 is too deep", 160, 40, kLeft, kDown, 6169.5f, 4000, kLeft, kDown},
    {"moving right at 5175 turns left", 160, 40, kRight, kDown, 5175, 4000, kLeft, kDown},
    {"moving right at 5174 is not yet turned", 160, 40, kRight, kDown, 5174, 4000, kRight, kDown},
    {"moving right at 5335 inside still turns", 160, 40, kRight, kDown, 5335, 4000, kLeft, kDown},
    {"moving right at 5335.5 is too deep", 160, 40, kRight, kDown, 5335.5f, 4000, kRight, kDown},
    {"a ball at rest by the left face stays", 160, 40, kAtRest, kAtRest, 5175, 4000, kAtRest,
     kAtRest},
    {"a side needs the top within bottom plus 20", 160, 40, kLeft, kDown, 6330, 6770, kRight,
     kDown},
    {"a top 21 below the bottom passes the side", 160, 40, kLeft, kDown, 6330, 6771, kLeft, kDown},
    {"a bottom 21 above the top passes the side", 160, 40, kLeft, kUp, 6330, 1734, kLeft, kUp},
    {"moving down with the top 20 in turns up", 160, 40, kRight, kDown, 5800, 2270, kRight, kUp},
    {"moving down with the top 20.5 in goes on", 160, 40, kRight, kDown, 5800, 2270.5f, kRight,
     kDown},
    {"moving down with the bottom 5 in turns up", 160, 40, kRight, kDown, 5800, 1760, kRight, kUp},
    {"moving down 21 above goes on", 160, 40, kRight, kDown, 5800, 1734, kRight, kDown},
    {"the top face ends 80 beyond the side", 160, 40, kRight, kDown, 6331, 2000, kRight, kDown},
    {"moving up at 6770 turns down", 160, 40, kRight, kUp, 5800, 6770, kRight, kDown},
    {"moving up at 6730 turns down", 160, 40, kRight, kUp, 5800, 6730, kRight, kDown},
    {"moving up at 6729.5 is too deep", 160, 40, kRight, kUp, 5800, 6729.5f, kRight, kUp},
    {"moving up at 6771 is not yet turned", 160, 40, kRight, kUp, 5800, 6771, kRight, kUp},
    {"the bottom face ends 80 beyond the side", 160, 40, kLeft, kUp, 5174, 6740, kLeft, kUp},
    {"a negative step empties the bottom window", 160, -100, kRight, kUp, 5800, 6750, kRight, kUp},
    {"a negative step narrows the side to 6700", 160, -100, kLeft, kDown, 6300, 6700, kRight,
     kDown},
    {"a negative step keeps 6701 off the side", 160, -100, kLeft, kDown, 6300, 6701, kLeft, kDown},
    {"the top left corner turns both ways", 160, 40, kRight, kDown, 5175, 1760, kLeft, kUp},
    {"Sluggish: moving left at 6307.5 turns", 115, 40, kLeft, kDown, 6307.5f, 4000, kRight, kDown},
    {"Sluggish: moving left at 6308 goes on", 115, 40, kLeft, kDown, 6308, 4000, kLeft, kDown},
    {"Supersonic: moving right at 5140 turns", 230, 40, kRight, kDown, 5140, 4000, kLeft, kDown},
    {"Supersonic: moving right at 5139.5 goes on", 230, 40, kRight, kDown, 5139.5f, 4000, kRight,
     kDown},
};
INSTANTIATE_TEST_SUITE_P(Rows, ObstacleFaces, ::testing::ValuesIn(kFaceRows), rowName<FaceRow>);

using Obstacle = WindowTest;

TEST_F(Obstacle, OnLevel1ThereIsNoObstacleToMeet) {
    aimBall(w, kLeft, kDown, 40, 6330, 4000);
    w.tmrBall_Timer();
    EXPECT_EQ(w.ballDirX, kLeft);
}

}  // namespace
}  // namespace zarb::testing
