#pragma once

// Random legal play: the steps a person can take (keys down and up, menu clicks, the splash's
// buttons, time passing), written as zarb-headless lines, and a referee that plays them on the
// game's own rules and checks the rules of a match after every step and every clock tick. A
// broken rule is cut down to the shortest list of steps that still breaks it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "game/zarb_window.h"

namespace zarb::fuzz {

// One step a line: "click NAME", "Form_KeyDown CODE [SHIFT]", "Form_KeyUp CODE [SHIFT]",
// "run MS".
using Steps = std::vector<std::string>;

// A rule broken by a step, or by a clock tick within a `run` step.
struct Failure {
    std::size_t step = 0;
    std::string rule;
    std::string detail;
    // For a tick: the run step shortened so that it ends on that tick.
    std::optional<std::string> cutRun;
};

// A further rule for the referee to check after every step and tick: it returns what is wrong,
// or nothing. The shrinker's own tests use it to break a rule on purpose.
struct ExtraRule {
    std::string name;
    std::function<std::optional<std::string>(const ZarbWindow&)> check;
};

// What a play reached, to show that the random steps cover every phase of a match.
struct PlayCounts {
    long steps = 0, ticks = 0, serves = 0, points = 0;
    long matchesWon[2] = {0, 0};     // in one-player and two-player mode
    long resumes[4] = {0, 0, 0, 0};  // by the four cases: no point yet, won, between points, rally
    long helpPauses = 0, ignoredClicks = 0, ignoredSettingClicks = 0, pauses = 0;
    long newGames = 0, endGames = 0, restingWraps = 0;
    unsigned levelsServed = 0, speedsServed = 0, modesServed = 0;  // bit sets

    void add(const PlayCounts& other);
    std::string summary() const;
};

// The steps of random legal play from `seed`: the same seed gives the same steps. They start on
// the splash window and press PLAY!; each seed starts from its own level, speed and mode.
Steps randomLegalPlay(std::uint64_t seed, std::size_t length);

// Plays `steps` on a new program and checks every rule after each step and each clock tick.
// The first broken rule, or nothing. `finalState` receives the program's `state` line at the end.
std::optional<Failure> playAndCheck(const Steps& steps, PlayCounts* counts = nullptr,
                                    const ExtraRule* extra = nullptr,
                                    std::string* finalState = nullptr);

// The shortest steps found that still break the same rule, by removing steps (delta debugging)
// and shortening runs, each candidate played afresh. `shrunk` receives the failure they show.
Steps shrinkFailure(const Steps& steps, const Failure& failure, const ExtraRule* extra,
                    Failure& shrunk);

// A zarb-headless script of the steps with comments naming the seed and the broken rule; its
// last line prints the state on which the rule was found broken.
std::string replayScript(std::uint64_t seed, const Steps& steps, const Failure& failure);

}  // namespace zarb::fuzz
