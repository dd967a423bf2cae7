#pragma once

// The game window's field as its controls are stacked, from the bottom up: the ball lies over the
// obstacle, the score labels and the status line over the red bar. Every front end draws the
// pieces in this order, each in its own look.

#include <iterator>

#include "game/zarb_window.h"

namespace zarb {

struct FieldPiece {
    const char* name;  // the control's name
    const Control ZarbWindow::*control;
};

inline constexpr FieldPiece kFieldPieces[] = {
    {"lblLevel", &ZarbWindow::lblLevel},     {"shpObstacle", &ZarbWindow::shpObstacle},
    {"imgBall2", &ZarbWindow::imgBall2},     {"imgBall", &ZarbWindow::imgBall},
    {"lblPause", &ZarbWindow::lblPause},     {"imgRight", &ZarbWindow::imgRight},
    {"imgLeft", &ZarbWindow::imgLeft},       {"lblLabel", &ZarbWindow::lblLabel},
    {"lblWin", &ZarbWindow::lblWin},         {"lblPlayer1", &ZarbWindow::lblPlayer1},
    {"lblPlayer2", &ZarbWindow::lblPlayer2},
};
inline constexpr std::size_t kFieldPieceCount = std::size(kFieldPieces);

}  // namespace zarb
