// Points at the left and right edges, the serve position after a point, and the match win.

#include <string>

#include "game/field_layout.h"
#include "game/platform.h"
#include "game/zarb_window.h"

namespace zarb {

namespace {

constexpr float kRightEdge = 11500;
constexpr float kLeftEdge = 0;
constexpr std::int32_t kWinningScore = 10;

}  // namespace

void ZarbWindow::scorePoints() {
    // A point puts the ball in the middle, so the second test never scores in the same tick.
    if (imgBall.Left > kRightEdge) {
        scorePoint(1);
    }
    if (imgBall.Left < kLeftEdge) {
        scorePoint(2);
    }
}

void ZarbWindow::scorePoint(int winner) {
    if (layout::hasObstacle(level)) {
        // Above the obstacle; the hidden second picture stays where it was.
        imgBall.Left = layout::kBallAboveObstacleLeft;
        imgBall.Top = layout::kServeAboveObstacleTop;
    } else {
        imgBall.Left = layout::kBallHomeLeft;
        imgBall.Top = layout::kBallHomeTop;
        imgBall2.Left = layout::kBallHomeLeft;
        imgBall2.Top = layout::kBallHomeTop;
    }
    ballDirX = dir::kAtRest;
    ballDirY = dir::kAtRest;

    const std::string winnerText = winner == 1 ? "Player 1 Wins!" : "Player 2 Wins!";
    lblWin.Caption = winnerText;
    std::int64_t& score = winner == 1 ? player1Score : player2Score;
    // A score written from outside is at most 2147483647 and a point adds one: it never comes
    // near the end of its 64 bits.
    ++score;
    Control& scoreLabel = winner == 1 ? lblPlayer1 : lblPlayer2;
    scoreLabel.Caption = (winner == 1 ? "Player 1:  " : "Player 2:  ") + std::to_string(score);

    if (score < kWinningScore) {
        tmrStart.setEnabled(true);
        return;
    }
    platform_.showMessage("Zarb", winnerText);
    enableSettingsMenus(true);
}

}  // namespace zarb
