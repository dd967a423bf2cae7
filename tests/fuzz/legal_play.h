#pragma once

// Random legal play: the steps a person can take, as zarb-headless lines, played on the game's
// own rules with the rules of a match checked after every step and clock tick. A broken rule is
// cut down to the shortest list of steps that still breaks it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/zarb_window.h"

namespace zarb::fuzz {

// "click NAME", "Form_KeyDown CODE [SHIFT]", "Form_KeyUp CODE [SHIFT]" or "run MS".
using Steps = std::vector<std::string>;

// A rule broken by a step, or by a clock tick within a run; then `cutRun` ends on that tick.
struct Failure {
    std::size_t step = 0;
    std::string rule, detail;
    std::optional<std::string> cutRun;
};

// One more rule, checked after every step and tick; the shrinker's tests use it to break a rule
// on purpose.
struct ExtraRule {
    std::string name;
    std::function<bool(const ZarbWindow&)> holds;
};

// What a play reached: every phase of a match, at every level, speed and mode.
struct PlayCounts {
    long steps = 0, ticks = 0, pauses = 0, helpPauses = 0, restingWraps = 0;
    long matchesWon[2] = {0, 0};  // in one-player and two-player mode
    long ignoredSettingClicks = 0;
    unsigned levelsServed = 0, speedsServed = 0, modesServed = 0;  // bit sets

    std::string summary() const;
};

// The steps of random legal play from `seed`, from the splash on; each seed starts from its own
// level, speed and mode.
Steps randomLegalPlay(std::uint64_t seed, std::size_t length);

// Plays `steps` on a new program: the first broken rule, or nothing. `finalState` receives the
// program's `state` line at the end.
std::optional<Failure> playAndCheck(const Steps& steps, PlayCounts* counts = nullptr,
                                    const ExtraRule* extra = nullptr,
                                    std::string* finalState = nullptr);

// The shortest steps found that still break the same rule, with the failure they show at their
// last step in `shrunk`.
Steps shrinkFailure(const Steps& steps, const Failure& failure, const ExtraRule* extra,
                    Failure& shrunk);

// A zarb-headless script of the steps up to the failure, with comments naming the seed and the
// rule; its last line prints the state on which the rule was found broken.
std::string replayScript(std::uint64_t seed, const Steps& steps, const Failure& failure);

}  // namespace zarb::fuzz
