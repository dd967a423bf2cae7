// Level 5: the obstacle slides 50 twips a tick between 4000 and 8000, and its side faces allow
// for that travel.

#include "tests/game/test_window.h"

namespace zarb::testing {
namespace {

using MovingObstacle = WindowTest;

TEST_F(MovingObstacle, RunsFrom5750To4000TurnsThereAndTurnsAgainAt8000) {
    w.mnuLevel5_Click();
    game.timers.run(1000);  // the ball timer is stopped: the obstacle stands still
    EXPECT_EQ(w.shpObstacle.Left, 5750);
    for (int tick = 0; tick < 35; ++tick) {
        w.tmrBall_Timer();
    }
    EXPECT_EQ(w.shpObstacle.Left, 4000);
    w.tmrBall_Timer();
    EXPECT_EQ(w.shpObstacle.Left, 4050);
    for (int tick = 0; tick < 79; ++tick) {
        w.tmrBall_Timer();
    }
    EXPECT_EQ(w.shpObstacle.Left, 8000);
    w.tmrBall_Timer();
    EXPECT_EQ(w.shpObstacle.Left, 7950);
    // The ball rested above the obstacle all along: nothing touched it.
    EXPECT_EQ(w.ballDirX, kAtRest);
    EXPECT_EQ(w.ballDirY, kAtRest);
    EXPECT_EQ(w.imgBall.Top, 875);
}

TEST_F(MovingObstacle, KeepsItsDirectionThroughEndGameAndLevelChanges) {
    w.mnuLevel5_Click();
    w.obstacleDir = kSlidingRight;
    w.shpObstacle.Left = 6000;
    w.mnuEnd_Click();
    w.mnuLevel1_Click();
    w.mnuLevel5_Click();
    EXPECT_EQ(w.obstacleDir, kSlidingRight);
    EXPECT_EQ(w.shpObstacle.Left, 5750);
}

struct TurnRow {
    const char* name;
    int dir;
    float left;
    int wantDir;
    float wantLeft;
};
using ObstacleTurns = WindowTable<TurnRow>;

TEST_P(ObstacleTurns, TurnWithinTheirWindowsOnTheSameTick) {
    w.mnuLevel5_Click();
    w.obstacleDir = row.dir;
    w.shpObstacle.Left = row.left;
    w.tmrBall_Timer();
    EXPECT_EQ(w.obstacleDir, row.wantDir);
    EXPECT_EQ(w.shpObstacle.Left, row.wantLeft);
}

const TurnRow kTurnRows[] = {
    {"moving left off the grid at 3760 turns", kSlidingLeft, 3760, kSlidingRight, 3810},
    {"moving left at 3750 turns", kSlidingLeft, 3750, kSlidingRight, 3800},
    {"moving left at 3749.5 runs on", kSlidingLeft, 3749.5f, kSlidingLeft, 3699.5f},
    {"moving left at 4000.5 runs on", kSlidingLeft, 4000.5f, kSlidingLeft, 3950.5f},
    {"moving right at 8250 turns", kSlidingRight, 8250, kSlidingLeft, 8200},
    {"moving right at 7999.5 runs on", kSlidingRight, 7999.5f, kSlidingRight, 8049.5f},
    {"moving right through the left window runs on", kSlidingRight, 3800, kSlidingRight, 3850},
};
INSTANTIATE_TEST_SUITE_P(Rows, ObstacleTurns, ::testing::ValuesIn(kTurnRows), rowName<TurnRow>);

struct FaceRow {
    const char* name;
    int speed, obstacleDir, dirX, dirY;
    float left, top;  // after the ball's step, the obstacle at 5750 after its own
    int wantDirX, wantDirY;
};
using MovingObstacleFaces = WindowTable<FaceRow>;

TEST_P(MovingObstacleFaces, ShiftTheDeepEndOfEachSideBy50) {
    chooseSpeed(w, row.speed);
    w.mnuLevel5_Click();
    w.obstacleDir = row.obstacleDir;
    w.shpObstacle.Left = row.obstacleDir == kSlidingLeft ? 5800 : 5700;
    aimBall(w, row.dirX, row.dirY, 40, row.left, row.top);
    w.tmrBall_Timer();
    ASSERT_EQ(w.shpObstacle.Left, 5750);
    EXPECT_EQ(w.ballDirX, row.wantDirX);
    EXPECT_EQ(w.ballDirY, row.wantDirY);
}

// Medium, half a step 80.
const FaceRow kFaceRows[] = {
    {"moving away, a ball moving left turns at 6220", 160, kSlidingLeft, kLeft, kDown, 6220, 4000,
     kRight, kDown},
    {"moving away, a ball moving left goes on at 6219.5", 160, kSlidingLeft, kLeft, kDown, 6219.5f,
     4000, kLeft, kDown},
    {"moving away, a ball moving left goes on at 6330.5", 160, kSlidingLeft, kLeft, kDown, 6330.5f,
     4000, kLeft, kDown},
    {"closing in, a ball moving left turns at 6120", 160, kSlidingRight, kLeft, kDown, 6120, 4000,
     kRight, kDown},
    {"closing in, a ball moving left goes on at 6119.5", 160, kSlidingRight, kLeft, kDown, 6119.5f,
     4000, kLeft, kDown},
    {"closing in, right edge 5880 turns", 160, kSlidingLeft, kRight, kDown, 5385, 4000, kLeft,
     kDown},
    {"closing in, right edge 5880.5 goes on", 160, kSlidingLeft, kRight, kDown, 5385.5f, 4000,
     kRight, kDown},
    {"closing in, right edge 5669.5 goes on", 160, kSlidingLeft, kRight, kDown, 5174.5f, 4000,
     kRight, kDown},
    {"moving away, right edge 5780 turns", 160, kSlidingRight, kRight, kDown, 5285, 4000, kLeft,
     kDown},
    {"moving away, right edge 5780.5 goes on", 160, kSlidingRight, kRight, kDown, 5285.5f, 4000,
     kRight, kDown},
    {"Sluggish moving away, right edge 5757.5 turns", 115, kSlidingRight, kRight, kDown, 5262.5f,
     4000, kLeft, kDown},
    {"Sluggish moving away, right edge 5758 goes on", 115, kSlidingRight, kRight, kDown, 5263, 4000,
     kRight, kDown},
    {"moving left, a ball moving down onto the top turns", 160, kSlidingLeft, kRight, kDown, 5800,
     2270, kRight, kUp},
    {"moving right, a ball moving down onto the top turns", 160, kSlidingRight, kRight, kDown, 5800,
     2270, kRight, kUp},
    {"moving right, a ball moving up under the bottom turns", 160, kSlidingRight, kRight, kUp, 5800,
     6740, kRight, kDown},
};
INSTANTIATE_TEST_SUITE_P(Rows, MovingObstacleFaces, ::testing::ValuesIn(kFaceRows),
                         rowName<FaceRow>);

}  // namespace
}  // namespace zarb::testing
