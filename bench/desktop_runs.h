#pragma once

// The runs of the desktop benchmark's children, one for each mode word; each prints its
// results as "name value" lines and returns the exit status.

#include "bench/desktop_measure.h"

namespace zarb::bench {

// How the measured game is played: a two-player rally kept going; level 5 in one-player mode
// with nobody at the left paddle, so the computer scores point after point; or the rally again,
// stopped for a while by the parent.
enum class GamePlay { rally, busy, stalled };

// The game, from its start to PLAY!, the rally's serve and `seconds` of play.
int runGame(BenchApplication& application, double startedMs, double seconds, GamePlay play);

// A window that does the least a 64 Hz game must, width by height: bare, or fair (with the game
// window's kinds of parts: a menu bar and text).
int runBaseline(BenchApplication& application, double startedMs, double seconds, int width,
                int height, bool fair);

// The game in its idle and busy states, each entered on the parent's word.
int runIdle(BenchApplication& application);

}  // namespace zarb::bench
