// The game window's design-time layout, Form_Load, and the program's end: Form_Unload and the
// File menu's Exit.

#include "game/field_layout.h"
#include "game/platform.h"
#include "game/zarb_window.h"

namespace zarb {

namespace {

Control label(float left, float top, float width, float height, const char* caption) {
    return Control{left, top, width, height, true, caption};
}

Control picture(float left, float top, float width, float height, bool visible = true) {
    return Control{left, top, width, height, visible, {}};
}

MenuItem item(const char* caption, MenuItem* parent, bool checked = false, bool enabled = true) {
    return MenuItem{caption, checked, enabled, parent};
}

}  // namespace

ZarbWindow::ZarbWindow(Platform& platform, const Clock& clock)
    : tmrStart(clock, 1000, false),
      tmrRight(clock, 1, true),
      tmrLeft(clock, 1, true),
      tmrBall(clock, 1, false),
      lblPlayer2(label(9240, 8880, 1935, 495, "Player 2:  0")),
      lblPlayer1(label(720, 8880, 1935, 495, "Player 1:  0")),
      lblWin(label(4560, 8760, 2535, 735, "")),
      lblLabel(label(0, 8505, 11895, 1335, "")),
      imgLeft(picture(15, 3120, 450, 1590)),
      imgRight(picture(11450, 3120, 450, 1590)),
      lblPause(Control{1680, 2040, 8295, 3855, false, "Game Paused"}),
      imgBall(picture(layout::kBallHomeLeft, layout::kBallHomeTop, 495, 495)),
      imgBall2(picture(layout::kBallHomeLeft, layout::kBallHomeTop, 495, 495, false)),
      shpObstacle(picture(layout::kObstacleLeft, 2250, 500, 4500, false)),
      lblLevel(label(4550, 240, 2895, 735, "Level 1")),
      mnuFile(item("&File", nullptr)),
      mnuNew(item("&New Game", &mnuFile)),
      mnuEnd(item("&End Game", &mnuFile)),
      mnuPause(item("Pause", &mnuFile, false, false)),
      mnuExit(item("E&xit", &mnuFile)),
      mnuEdit(item("&Edit", nullptr)),
      mnuSpeed(item("Speed", &mnuEdit)),
      mnuSluggish(item("Sluggish", &mnuSpeed)),
      mnuSlow(item("Slow", &mnuSpeed)),
      mnuMedium(item("Medium", &mnuSpeed, true)),
      mnuFast(item("Fast", &mnuSpeed)),
      mnuReallyfast(item("Supersonic", &mnuSpeed)),
      mnuPlayers(item("Players", &mnuEdit)),
      mnuOne(item("&One Player", &mnuPlayers, true)),
      mnuTwo(item("&Two Players", &mnuPlayers)),
      mnuLevel(item("Level", &mnuEdit)),
      mnuLevel1(item("Level 1", &mnuLevel, true)),
      mnuLevel2(item("Level 2", &mnuLevel)),
      mnuLevel3(item("Level 3", &mnuLevel)),
      mnuLevel4(item("Level 4", &mnuLevel)),
      mnuLevel5(item("Level 5", &mnuLevel)),
      mnuHelp(item("Help", nullptr)),
      mnuRules(item("&Rules", &mnuHelp)),
      mnuControls(item("&Controls", &mnuHelp)),
      mnuAbout(item("&About", &mnuHelp)),
      platform_(platform) {}

void ZarbWindow::Form_Load() {
    platform_.reseedRandom();

    if (level != 5 && level != 4 && level != 3 && level != 2) {
        level = 1;
    }
    ballDirX = dir::kAtRest;
    ballDirY = dir::kAtRest;
    if (speedSetting != 115 && speedSetting != 140 && speedSetting != 185 && speedSetting != 230) {
        speedSetting = 160;
    }
    ballStepY = static_cast<float>(speedSetting);
    hitOffset = 1;
    keyLeftUp = 0;
    keyLeftDown = 0;
    keyRightUp = 0;
    keyRightDown = 0;
    player1Score = 0;
    player2Score = 0;
    if (players == 2) {
        mnuOne.Checked = false;
        mnuTwo.Checked = true;
    } else {
        players = 1;
        mnuOne.Checked = true;
        mnuTwo.Checked = false;
    }
    // Whatever players holds: the serve shows the right mode later.
    lblWin.Caption = "One Player Mode";

    // Only level 2 is named here (not 5): End Game lays the field out again after it.
    if (level == 2) {
        imgBall.Top = layout::kServeAboveObstacleTop;
        shpObstacle.Visible = true;
        shpObstacle.Left = layout::kObstacleLeft;
        predictionLine = layout::kPredictionLineBeyondObstacle;
    } else {
        predictionLine = layout::kPredictionLine;
        shpObstacle.Visible = false;
        shpObstacle.Left = layout::kObstacleLeft;
        imgBall.Top = layout::kBallHomeTop;
    }
    imgBall2.Visible = level == 3;
}

void ZarbWindow::Form_Unload() {
    platform_.endProgram();
}

void ZarbWindow::mnuExit_Click() {
    platform_.endProgram();
}

std::string ZarbWindow::modeText() const {
    return players == 1 ? "One Player Mode" : "Two Player Mode";
}

}  // namespace zarb
