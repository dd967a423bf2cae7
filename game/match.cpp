// Match control: New Game, End Game, Pause and Resume, and the serve one second after a start.

#include "game/field_layout.h"
#include "game/platform.h"
#include "game/single.h"
#include "game/zarb_window.h"

namespace zarb {

void ZarbWindow::mnuEnd_Click() {
    Form_Load();
    tmrStart.setEnabled(false);
    tmrBall.setEnabled(false);
    mnuPause.Checked = false;
    lblWin.Caption = "Game Ended";
    lblPause.Visible = false;
    tmrLeft.setEnabled(true);
    tmrRight.setEnabled(true);
    ballDirX = dir::kAtRest;
    ballDirY = dir::kAtRest;
    imgBall.Left = layout::kBallHomeLeft;
    imgBall2.Left = layout::kBallHomeLeft;
    // predictionLine is moved only onto the obstacle's levels: Form_Load above has set it.
    if (layout::hasObstacle(level)) {
        imgBall.Top = layout::kServeAboveObstacleTop;
        shpObstacle.Visible = true;
        shpObstacle.Left = layout::kObstacleLeft;
        predictionLine = layout::kPredictionLineBeyondObstacle;
    } else {
        shpObstacle.Visible = false;
        shpObstacle.Left = layout::kObstacleLeft;
        imgBall.Top = layout::kBallHomeTop;
    }
    // Form_Load showed the second picture on level 3; the wrap shows it again when needed.
    if (level == 3) {
        imgBall2.Visible = false;
    }
    imgBall.Visible = true;
    enableSettingsMenus(true);
    // The score labels keep showing the ended match until New Game rewrites them.
}

void ZarbWindow::mnuNew_Click() {
    mnuEnd_Click();
    tmrStart.setEnabled(true);
    player1Score = 0;
    player2Score = 0;
    lblPlayer1.Caption = "Player 1:  0";
    lblPlayer2.Caption = "Player 2:  0";
}

void ZarbWindow::tmrStart_Timer() {
    platform_.reseedRandom();
    const bool atRest = !(ballDirX == dir::kRight || ballDirX == dir::kLeft ||
                          ballDirY == dir::kUp || ballDirY == dir::kDown);
    if (atRest) {
        tmrBall.setEnabled(true);
        // A draw below one half serves right (up), from one half on left (down).
        ballDirX = dir::kRight + static_cast<std::int32_t>(wholePart(2.0 * platform_.drawRandom()));
        ballDirY = dir::kUp + static_cast<std::int32_t>(wholePart(2.0 * platform_.drawRandom()));
        ballStepY = single(wholePart(50.0 * platform_.drawRandom()) + 10);
    }
    enableSettingsMenus(false);
    // Replaces the last point's message, which so stays up for the second of the wait.
    lblWin.Caption = modeText();
    // The serve leaves the ball's Left and the obstacle's Left where they are.
    if (layout::hasObstacle(level)) {
        imgBall.Top = layout::kServeAboveObstacleTop;
        shpObstacle.Visible = true;
        predictionLine = layout::kPredictionLineBeyondObstacle;
    } else {
        predictionLine = layout::kPredictionLine;
        shpObstacle.Visible = false;
        imgBall.Top = layout::kBallHomeTop;
    }
    // Each start of the timer gives exactly one serve.
    tmrStart.setEnabled(false);
}

void ZarbWindow::mnuPause_Click() {
    // The pause flag is mnuPause's check mark.
    if (!mnuPause.Checked) {
        tmrStart.setEnabled(false);
        tmrRight.setEnabled(false);
        tmrLeft.setEnabled(false);
        tmrBall.setEnabled(false);
        mnuPause.Checked = true;
        lblWin.Caption = "Paused";
        lblPause.Visible = true;
        return;
    }
    const auto resumeTimersAndText = [this](const std::string& status) {
        tmrLeft.setEnabled(true);
        tmrRight.setEnabled(true);
        tmrBall.setEnabled(true);
        mnuPause.Checked = false;
        lblPause.Visible = false;
        lblWin.Caption = status;
    };
    if (player1Score == 0 && player2Score == 0) {
        // No point yet: also the wait before the first serve, which is not served again.
        resumeTimersAndText(modeText());
    } else if (player1Score == 10 || player2Score == 10) {
        // A won match; these texts have no exclamation mark.
        tmrStart.setEnabled(false);
        resumeTimersAndText(player1Score == 10 ? "Player 1 Wins" : "Player 2 Wins");
    } else if (ballDirX == dir::kAtRest && ballDirY == dir::kAtRest) {
        // Paused between two points: the serve follows one second after the resume.
        resumeTimersAndText(modeText());
        tmrStart.setEnabled(true);
    } else {
        resumeTimersAndText(modeText());
    }
}

void ZarbWindow::enableSettingsMenus(bool enabled) {
    mnuLevel.Enabled = enabled;
    mnuSpeed.Enabled = enabled;
    mnuPlayers.Enabled = enabled;
}

}  // namespace zarb
