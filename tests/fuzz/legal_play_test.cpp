// Random legal play from fixed seeds keeps the rules of a match after every step and clock tick.
// A broken rule prints the seed and the shortest script that breaks it, and writes that script
// to a file for zarb-headless.

#include "tests/fuzz/legal_play.h"

#include <gtest/gtest.h>

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
    const auto first = static_cast<std::uint64_t>(GetParam()) * kSeedsPerBlock;
    std::cout << "seeds " << first << " to " << first + kSeedsPerBlock - 1 << ": "
              << playSeeds(first, kSeedsPerBlock).summary() << "\n";
}

// Each block of 25 seeds starts from every level and speed once, in one of the modes.
INSTANTIATE_TEST_SUITE_P(Seeds, RandomLegalPlay, ::testing::Range(0, 12));

// The random steps are worth only what they reach.
TEST(RandomLegalPlayCoverage, ReachesEveryPhaseOfAMatch) {
    const PlayCounts counts = playSeeds(1000, 50);
    std::cout << counts.summary() << "\n";
    EXPECT_GT(counts.matchesWon[0], 0) << "no one-player match was won";
    EXPECT_GT(counts.matchesWon[1], 0) << "no two-player match was won";
    EXPECT_GT(counts.pauses, counts.helpPauses) << "no pause by Esc";
    EXPECT_GT(counts.helpPauses, 0) << "no pause by Help";
    EXPECT_GT(counts.ignoredSettingClicks, 0) << "no click on a disabled settings item";
    EXPECT_EQ(counts.levelsServed, 0b111110u) << "levels 1 to 5 each saw a serve";
    EXPECT_EQ(counts.speedsServed, 0b11111u) << "the five speeds each saw a serve";
    EXPECT_EQ(counts.modesServed, 0b110u) << "both modes saw a serve";
}

// The referee steps the clock tick by tick; it must end where zarb-headless's own `run` ends.
TEST(RandomLegalPlayStepping, EndsWhereTheScriptReaderEnds) {
    for (std::uint64_t seed : {7u, 31u, 58u}) {
        const Steps steps = randomLegalPlay(seed, kStepsPerPlay);
        std::string stepped;
        ASSERT_FALSE(playAndCheck(steps, nullptr, nullptr, &stepped));

        std::ostringstream out, err;
        headless::ScriptRunner runner(out, err);
        for (std::size_t i = 0; i < steps.size(); ++i) {
            runner.runLine(steps[i], static_cast<long>(i + 1));
        }
        out.str("");
        runner.runLine("state", 0);
        EXPECT_EQ(out.str(), stepped) << "seed " << seed;
        EXPECT_EQ(err.str(), "");
    }
}

// After End Game in a level-3 rally with the ball exactly on the top edge, the second picture
// stays on that edge; Esc twice restarts the ball timer, and the wrap carries the resting ball
// from its serve height to that edge: legal, though it looks like a broken rule.
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
    bool (*happens)(const ZarbWindow&);
    std::size_t mostSteps;
};

void PrintTo(const PlantedRow& row, std::ostream* out) {
    *out << row.name;
}

class Shrinker : public ::testing::TestWithParam<PlantedRow> {};

TEST_P(Shrinker, CutsABrokenRuleDownToTheStepsThatShowIt) {
    const PlantedRow& row = GetParam();
    const ExtraRule rule{std::string("planted: ") + row.name,
                         [&row](const ZarbWindow& w) { return !row.happens(w); }};
    std::optional<Failure> failure;
    Steps steps;
    std::uint64_t seed = 0;
    for (; seed < 50 && !failure; ++seed) {
        steps = randomLegalPlay(seed, kStepsPerPlay);
        failure = playAndCheck(steps, nullptr, &rule);
    }
    ASSERT_TRUE(failure) << "no seed broke the planted rule";

    Failure shrunk;
    const Steps shortest = shrinkFailure(steps, *failure, &rule, shrunk);
    std::cout << replayScript(seed - 1, shortest, shrunk);
    EXPECT_EQ(shrunk.rule, rule.name);
    EXPECT_EQ(shrunk.step, shortest.size() - 1) << "the failure shows at the last step";
    EXPECT_LE(shortest.size(), row.mostSteps);
    const auto again = playAndCheck(shortest, nullptr, &rule);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->rule, rule.name);
    for (std::size_t i = 0; i + 1 < shortest.size(); ++i) {
        if (shortest[i] == "click cmdPlay") {
            continue;  // the keys after it would reach a window that is not shown
        }
        Steps without = shortest;
        without.erase(without.begin() + static_cast<std::ptrdiff_t>(i));
        const auto after = playAndCheck(without, nullptr, &rule);
        EXPECT_FALSE(after && after->rule == rule.name)
            << "step " << i + 1 << " (" << shortest[i] << ") could go";
    }
}

const PlantedRow kPlantedRows[] = {
    {"TheLeftPaddleReachesTheTop", [](const ZarbWindow& w) { return w.imgLeft.Top == 0; }, 3},
    {"AMatchIsWon",
     [](const ZarbWindow& w) { return w.player1Score == 10 || w.player2Score == 10; }, 6},
    {"TheBallMovesOnLevel2", [](const ZarbWindow& w) { return w.level == 2 && w.ballDirX != 0; },
     4},
};
INSTANTIATE_TEST_SUITE_P(Planted, Shrinker, ::testing::ValuesIn(kPlantedRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace zarb::fuzz
