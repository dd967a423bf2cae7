#pragma once

// Where a face draws the moving pieces between two ticks of the clock. The rules move the ball,
// the second ball, the paddles and the obstacle a step a tick; a screen that shows more or fewer
// frames than the clock ticks would show them advancing unevenly. So each moving piece is drawn
// between its places at the last two ticks, by the share of a tick that has passed since the
// last one. A piece that jumped (a point putting the ball back, the wrap on level 3, End Game, a
// level chosen, a value set by a script) is drawn at its new place at once. Only Left and Top are
// drawn between ticks: whether a piece is shown, its size and its caption are the latest tick's.
//
// No time is kept here: the face passes the share of a tick, so that the desktop and the web
// page place the pieces alike, each by its own clock.

#include <array>
#include <cstddef>
#include <iterator>

#include "game/zarb_window.h"

namespace zarb {

// The pieces the rules move step by step.
inline constexpr Control ZarbWindow::*kMovingPieces[] = {
    &ZarbWindow::imgBall,  &ZarbWindow::imgBall2,    &ZarbWindow::imgLeft,
    &ZarbWindow::imgRight, &ZarbWindow::shpObstacle,
};
inline constexpr std::size_t kMovingPieceCount = std::size(kMovingPieces);

// A piece as a face draws it at one moment.
struct ShownPiece {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    bool Visible = false;
};

class Motion {
  public:
    // The share of a tick that has passed sinceTickMs after the last tick: 0 at the tick, 1 a
    // whole tick later and from then on until the next.
    static float shareOfTick(double sinceTickMs);

    // After a tick of the clock: each moving piece goes on from where the tick before left it,
    // unless it went further than a step can take it.
    void ticked(const ZarbWindow& window);

    // After anything else that changed the window between ticks (a key, a menu, a box closed, a
    // script): a piece no longer where the last tick left it jumped there.
    void changed(const ZarbWindow& window);

    // The control as drawn the given share of a tick after the last tick.
    ShownPiece shownAt(const ZarbWindow& window, const Control& control, float share) const;

    // Whether some piece is drawn elsewhere between the last two ticks than at the last one.
    bool moving() const;

  private:
    struct Place {
        float Left = 0;
        float Top = 0;
        bool operator==(const Place&) const = default;
    };
    // A moving piece's places at the last two ticks, and the most its next step can take it.
    struct Track {
        Place from;
        Place to;
        Place step;
    };

    static Place stepOf(const ZarbWindow& window, std::size_t piece);
    void note(const ZarbWindow& window, bool ticked);

    std::array<Track, kMovingPieceCount> tracks_{};
    bool known_ = false;
};

}  // namespace zarb
