#include "game/motion.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "game/field_layout.h"
#include "game/timers.h"

namespace zarb {

namespace {

// Whether a piece went from a to b by at most the given step. A step added to a position is
// rounded to single precision, so a step may come out a rounding longer than it is.
bool withinStep(float a, float b, float step) {
    const double rounding = FLT_EPSILON * std::max(std::fabs(double{a}), std::fabs(double{b}));
    return std::fabs(double{b} - a) <= double{step} + rounding;
}

// At the tick itself the piece is exactly where the tick put it.
float between(float from, float to, float share) {
    return share >= 1 ? to : from + (to - from) * share;
}

}  // namespace

float Motion::shareOfTick(double sinceTickMs) {
    return static_cast<float>(std::clamp(sinceTickMs / TimerService::kTickMs, 0.0, 1.0));
}

Motion::Place Motion::stepOf(const ZarbWindow& window, std::size_t piece) {
    const Control ZarbWindow::*control = kMovingPieces[piece];
    const auto speed = static_cast<float>(window.speedSetting);
    if (control == &ZarbWindow::imgBall || control == &ZarbWindow::imgBall2) {
        // The ball moves by the magnitude of ballStepY, whichever its sign.
        return {speed, std::fabs(window.ballStepY)};
    }
    if (control == &ZarbWindow::shpObstacle) {
        return {layout::kObstacleStep, 0};
    }
    return {0, speed};  // a paddle
}

void Motion::ticked(const ZarbWindow& window) {
    note(window, true);
}

void Motion::changed(const ZarbWindow& window) {
    note(window, false);
}

void Motion::note(const ZarbWindow& window, bool ticked) {
    for (std::size_t i = 0; i < kMovingPieceCount; ++i) {
        const Control& control = window.*kMovingPieces[i];
        Track& track = tracks_[i];
        const Place now{control.Left, control.Top};
        // The step that the tick could take is the one in force before it: a paddle hit
        // changes ballStepY after the ball has moved.
        const bool stepped = known_ && withinStep(track.to.Left, now.Left, track.step.Left) &&
                             withinStep(track.to.Top, now.Top, track.step.Top);
        if (ticked && stepped) {
            track.from = track.to;
        } else if (ticked || !known_ || now != track.to) {
            track.from = now;  // jumped: drawn at its new place at once
        }
        track.to = now;
        track.step = stepOf(window, i);
    }
    known_ = true;
}

ShownPiece Motion::shownAt(const ZarbWindow& window, const Control& control, float share) const {
    ShownPiece shown{control.Left, control.Top, control.Width, control.Height, control.Visible};
    if (!known_) {
        return shown;
    }
    share = std::clamp(share, 0.0f, 1.0f);
    for (std::size_t i = 0; i < kMovingPieceCount; ++i) {
        if (&(window.*kMovingPieces[i]) != &control) {
            continue;
        }
        const Track& track = tracks_[i];
        // A piece moved since the last tick without being noted is drawn where it stands.
        if (track.to == Place{control.Left, control.Top}) {
            shown.Left = between(track.from.Left, track.to.Left, share);
            shown.Top = between(track.from.Top, track.to.Top, share);
        }
        break;
    }
    return shown;
}

bool Motion::moving() const {
    return std::any_of(tracks_.begin(), tracks_.end(),
                       [](const Track& track) { return track.from != track.to; });
}

}  // namespace zarb
