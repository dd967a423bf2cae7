// Random legal play from fixed seeds: every rule of a match holds after every step and every
// clock tick, at every level, speed and player mode. A broken rule prints the seed and the
// shortest script that breaks it, and writes that script to a file for zarb-headless.

#include "tests/fuzz/legal_play.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "tools/headless/script_runner.h"

namespace zarb::fuzz {
namespace {

constexpr std::size_t kStepsPerPlay = 300;
constexpr std::uint64_t kSeedsPerBlock = 25;

// Plays the seeds, and for the first broken rule shrinks it, prints and writes it.
PlayCounts playSeeds(std::uint64_t first, std::uint64_t count) {
    PlayCounts counts;
    for (std::uint64_t seed = first; seed < first + count; ++seed) {
        const Steps steps = randomLegalPlay(seed, kStepsPerPlay);
        const std::optional<Failure> failure = playAndCheck(steps, &counts);
        if (!failure) {
            continue;
        }
        Failure shrunk;
        const Steps shortest = shrinkFailure(steps, *failure, nullptr, shrunk);
        const std::string script = replayScript(seed, shortest, shrunk);
        const std::string file =
            std::filesystem::absolute("legal-play-failure-seed" + std::to_string(seed) + ".zs");
        std::ofstream(file) << script;
        ADD_FAILURE() << "seed " << seed << ", step " << failure->step + 1 << " of " << steps.size()
                      << ": " << failure->rule << ": " << failure->detail << "\nshortest script ("
                      << shortest.size() << " steps), written to " << file << ":\n"
                      << script;
        break;
    }
    return counts;
}

class RandomLegalPlay : public ::testing::TestWithParam<int> {};

TEST_P(RandomLegalPlay, KeepsEveryRuleAfterEveryStepAndTick) {
    const PlayCounts counts =
        playSeeds(static_cast<std::uint64_t>(GetParam()) * kSeedsPerBlock, kSeedsPerBlock);
    std::cout << "seeds " << GetParam() * kSeedsPerBlock << " to "
              << (GetParam() + 1) * kSeedsPerBlock - 1 << ": " << counts.summary() << "\n";
}

// Each block of 25 seeds starts from every level and speed once, in one of the modes.
INSTANTIATE_TEST_SUITE_P(Seeds, RandomLegalPlay, ::testing::Range(0, 12));

// The random steps are worth only what they reach: every phase of a match and every way of
// leaving a pause, at every level, speed and mode.
TEST(RandomLegalPlayCoverage, ReachesEveryPhaseOfAMatch) {
    const PlayCounts counts = playSeeds(1000, 50);
    std::cout << counts.summary() << "\n";
    EXPECT_GT(counts.matchesWon[0], 0) << "no one-player match was won";
    EXPECT_GT(counts.matchesWon[1], 0) << "no two-player match was won";
    for (int resumeCase = 0; resumeCase < 4; ++resumeCase) {
        EXPECT_GT(counts.resumes[resumeCase], 0) << "no resume by case "
                                                 << "ABCD"[resumeCase];
    }
    EXPECT_GT(counts.helpPauses, 0);
    EXPECT_GT(counts.ignoredSettingClicks, 0);
    EXPECT_EQ(counts.levelsServed, 0b111110u) << "levels 1 to 5 each saw a serve";
    EXPECT_EQ(counts.speedsServed, 0b11111u) << "the five speeds each saw a serve";
    EXPECT_EQ(counts.modesServed, 0b110u) << "both modes saw a serve";
}

// Stepping tick by tick must be the program's own `run`: the same steps read as one script by
// zarb-headless's reader end in the same state.
TEST(RandomLegalPlayStepping, EndsWhereTheScriptReaderEnds) {
    for (std::uint64_t seed : {7u, 31u, 58u}) {
        const Steps steps = randomLegalPlay(seed, kStepsPerPlay);
        std::string stepped;
        ASSERT_FALSE(playAndCheck(steps, nullptr, nullptr, &stepped));

        std::ostringstream script, out, err;
        for (const std::string& step : steps) {
            script << step << "\n";
        }
        script << "state\n";
        headless::ScriptRunner runner(out, err);
        std::istringstream in(script.str());
        EXPECT_EQ(runner.run(in), 0) << err.str();
        const std::string printed = out.str();
        const std::size_t lastLine = printed.rfind('\n', printed.size() - 2);
        EXPECT_EQ(printed.substr(lastLine + 1), stepped) << "seed " << seed;
    }
}

// Legal play the rules allow though it looks like a broken rule: after End Game in a level-3
// rally whose ball stood exactly on the top edge, the second picture stays on that edge, and
// Esc twice restarts the ball timer with the ball at rest; the wrap then carries the resting
// ball from its serve height to the top edge.
TEST(RandomLegalPlayRules, ARestingBallOnLevel3WrapsWhenItsSecondPictureStandsOnAnEdge) {
    const Steps steps = {"click cmdPlay",
                         "click mnuLevel3",
                         "click mnuSluggish",
                         "run 137410.753",
                         "Form_KeyDown 112",
                         "Form_KeyDown 90",
                         "run 4558",
                         "Form_KeyDown 113",
                         "Form_KeyDown 27",
                         "Form_KeyDown 27",
                         "run 16"};
    PlayCounts counts;
    const std::optional<Failure> failure = playAndCheck(steps, &counts);
    EXPECT_FALSE(failure) << failure->rule << ": " << failure->detail;
    EXPECT_EQ(counts.restingWraps, 1);
}

// The shrinker at work on rules broken on purpose: what it keeps still breaks the rule, and no
// single step of it can go.
struct PlantedRow {
    const char* name;
    ExtraRule rule;
    std::size_t mostSteps;
};

void PrintTo(const PlantedRow& row, std::ostream* out) {
    *out << row.name;
}

std::optional<std::string> never(bool happened, const char* what) {
    return happened ? std::optional<std::string>(what) : std::nullopt;
}

class Shrinker : public ::testing::TestWithParam<PlantedRow> {};

TEST_P(Shrinker, CutsABrokenRuleDownToTheStepsThatShowIt) {
    const PlantedRow& row = GetParam();
    std::optional<Failure> failure;
    Steps steps;
    std::uint64_t seed = 0;
    for (; seed < 50 && !failure; ++seed) {
        steps = randomLegalPlay(seed, kStepsPerPlay);
        failure = playAndCheck(steps, nullptr, &row.rule);
    }
    ASSERT_TRUE(failure) << "no seed broke the planted rule";

    Failure shrunk;
    const Steps shortest = shrinkFailure(steps, *failure, &row.rule, shrunk);
    std::cout << replayScript(seed - 1, shortest, shrunk);
    EXPECT_EQ(shrunk.rule, row.rule.name);
    EXPECT_EQ(shrunk.step, shortest.size() - 1) << "the failure shows at the last step";
    EXPECT_LE(shortest.size(), row.mostSteps);
    const auto again = playAndCheck(shortest, nullptr, &row.rule);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->rule, row.rule.name);
    for (std::size_t i = 0; i + 1 < shortest.size(); ++i) {
        Steps without = shortest;
        without.erase(without.begin() + static_cast<std::ptrdiff_t>(i));
        const auto after = playAndCheck(without, nullptr, &row.rule);
        if (shortest[i] == "click cmdPlay") {
            continue;  // the keys after it would reach a window that is not shown
        }
        EXPECT_FALSE(after && after->rule == row.rule.name)
            << "step " << i + 1 << " (" << shortest[i] << ") could go";
    }
}

const PlantedRow kPlantedRows[] = {
    {"the left paddle never reaches the top",
     {"planted: the left paddle never reaches the top",
      [](const ZarbWindow& w) { return never(w.imgLeft.Top == 0, "imgLeft.Top is 0"); }},
     3},
    {"no match is ever won",
     {"planted: no match is ever won",
      [](const ZarbWindow& w) {
          return never(w.player1Score == 10 || w.player2Score == 10, "a score reached 10");
      }},
     6},
    {"the ball never moves on level 2",
     {"planted: the ball never moves on level 2",
      [](const ZarbWindow& w) {
          return never(w.level == 2 && w.ballDirX != 0, "the ball moves on level 2");
      }},
     4},
};
INSTANTIATE_TEST_SUITE_P(Planted, Shrinker, ::testing::ValuesIn(kPlantedRows),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name) {
                                 c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

}  // namespace
}  // namespace zarb::fuzz
