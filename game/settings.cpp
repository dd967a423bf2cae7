// The Speed, Players and Level menus of the Edit menu, reachable only between matches.

#include "game/field_layout.h"
#include "game/zarb_window.h"

namespace zarb {

void ZarbWindow::chooseSpeed(MenuItem& item, std::int32_t speed) {
    speedSetting = speed;
    for (MenuItem* each : {&mnuSluggish, &mnuSlow, &mnuMedium, &mnuFast, &mnuReallyfast}) {
        each->Checked = each == &item;
    }
}

void ZarbWindow::mnuSluggish_Click() {
    chooseSpeed(mnuSluggish, 115);
}
void ZarbWindow::mnuSlow_Click() {
    chooseSpeed(mnuSlow, 140);
}
void ZarbWindow::mnuMedium_Click() {
    chooseSpeed(mnuMedium, 160);
}
void ZarbWindow::mnuFast_Click() {
    chooseSpeed(mnuFast, 185);
}
void ZarbWindow::mnuReallyfast_Click() {
    chooseSpeed(mnuReallyfast, 230);
}

// The status line shows the new mode only at the next serve or resume.
void ZarbWindow::mnuOne_Click() {
    players = 1;
    mnuOne.Checked = true;
    mnuTwo.Checked = false;
}

void ZarbWindow::mnuTwo_Click() {
    players = 2;
    mnuOne.Checked = false;
    mnuTwo.Checked = true;
}

void ZarbWindow::chooseLevel(std::int32_t chosen, MenuItem& item) {
    level = chosen;
    lblLevel.Caption = item.Caption;
    for (MenuItem* each : {&mnuLevel1, &mnuLevel2, &mnuLevel3, &mnuLevel4, &mnuLevel5}) {
        each->Checked = each == &item;
    }
    placeLevelPieces();
}

// Lays the field out at once. The ball's Left, the second picture's position, the paddles, the
// scores and the timers are left alone.
void ZarbWindow::placeLevelPieces() {
    if (layout::hasObstacle(level)) {
        predictionLine = layout::kPredictionLineBeyondObstacle;
        shpObstacle.Visible = true;
        shpObstacle.Left = layout::kObstacleLeft;
        imgBall.Top = layout::kServeAboveObstacleTop;
        imgBall2.Visible = false;
    } else {
        predictionLine = layout::kPredictionLine;
        shpObstacle.Visible = false;
        imgBall.Top = layout::kBallHomeTop;
        // Level 3 shows the second picture wherever it last stood, until the first wrap.
        imgBall2.Visible = level == 3;
    }
}

void ZarbWindow::mnuLevel1_Click() {
    chooseLevel(1, mnuLevel1);
}
void ZarbWindow::mnuLevel2_Click() {
    chooseLevel(2, mnuLevel2);
}
void ZarbWindow::mnuLevel3_Click() {
    chooseLevel(3, mnuLevel3);
}
void ZarbWindow::mnuLevel4_Click() {
    chooseLevel(4, mnuLevel4);
}
void ZarbWindow::mnuLevel5_Click() {
    chooseLevel(5, mnuLevel5);
}

}  // namespace zarb
