// How fast the rules run on one core: ball ticks of a rally in play, whole clock ticks of the
// timer service as a real match has them, and zarb-headless script lines. Every level in both
// modes; after the usual Google Benchmark output a short table sums the rates up.
//
//   build/bench/zarb-bench-rules [--benchmark_min_time=...] [other Google Benchmark options]

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "bench/bench_players.h"
#include "game/field_layout.h"
#include "headless/script_runner.h"

namespace {

using zarb::Program;
using zarb::ZarbWindow;
namespace dir = zarb::dir;
using zarb::bench::Player;
using zarb::bench::SimulatedGame;

// The game window after PLAY! with the level and mode chosen from the menus and New Game
// chosen, but not yet served.
struct Match : SimulatedGame {
    Match(int level, int players) {
        const char* const levelItems[] = {"mnuLevel1", "mnuLevel2", "mnuLevel3", "mnuLevel4",
                                          "mnuLevel5"};
        choose(levelItems[level - 1]);
        choose(players == 2 ? "mnuTwo" : "mnuOne");
        choose("mnuNew");
    }
};

// A paddle level with the ball has its Top this far above the ball's (the ball's middle is
// about 250 below its Top).
constexpr float kLevelWithBall = static_cast<float>(zarb::layout::kPaddleMiddle) - 250;
// Where on the paddle the ball is met, in turn: the hit offsets of a real rally, both signs.
constexpr float kMeetingOffsets[] = {-420, 130, -60, 300, -250, 20, 380, -150};
// Both sides return this many balls, then let the next one through for a point.
constexpr unsigned kReturnsPerRally = 30;

// Keeps a rally going for tmrBall_Timer alone. Before each tick both paddles stand where the
// ball meets them (at a different point of the paddle each return, so the vertical step
// changes as in play), clamped to the field as the paddle steps are; after 30 returns they
// stand aside and the ball scores. Each point is served at once with the game's own serve
// (tmrStart_Timer, drawing a fresh direction and step), and the scores are put back before a
// match could be won. So every tick measured is one of a ball in play: steps, bounces,
// prediction, paddle hits and the level's feature, with a point every 30-odd returns.
class RallyKeeper {
  public:
    RallyKeeper(Program& program)
        : program_(program),
          w_(*program.zarb()),
          paddleFloor_(w_.lblLabel.Top - w_.imgLeft.Height),
          lastDirX_(w_.ballDirX) {}

    void placePaddles() {
        const float ballTop = w_.imgBall.Top;
        float top;
        if (returns_ < kReturnsPerRally) {
            top = std::clamp(ballTop - kLevelWithBall + kMeetingOffsets[returns_ % 8], 0.0F,
                             paddleFloor_);
        } else {
            // Well clear of the ball: the far end of the field from it.
            top = ballTop < 4000 ? paddleFloor_ : 0.0F;
        }
        w_.imgLeft.Top = top;
        w_.imgRight.Top = top;
    }

    void afterTick() {
        if (w_.ballDirX == lastDirX_) {
            return;
        }
        if (w_.ballDirX == dir::kAtRest) {
            serveAgain();
        } else {
            ++returns_;
        }
        lastDirX_ = w_.ballDirX;
    }

    unsigned long points() const { return points_; }

  private:
    void serveAgain() {
        ++points_;
        returns_ = 0;
        if (w_.player1Score >= 9 || w_.player2Score >= 9) {
            w_.player1Score = 0;
            w_.player2Score = 0;
        }
        // The serve reseeds from the clock: a second later, as the start timer would.
        zarb::Clock& clock = program_.clock();
        clock.setNow(clock.now() + zarb::ClockTime::fromMs(1000));
        w_.tmrStart_Timer();
    }

    Program& program_;
    ZarbWindow& w_;
    // The lowest Top a paddle can reach: its lower edge on the score bar.
    float paddleFloor_;
    int lastDirX_;
    unsigned returns_ = 0;
    unsigned long points_ = 0;
};

void serve(Match& match) {
    // New Game serves a second later: the start timer's 64th clock tick.
    match.program.timers().run(1000);
}

void ballTick(benchmark::State& state) {
    Match match(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    serve(match);
    ZarbWindow& w = match.window();
    RallyKeeper rally(match.program);
    for (auto _ : state) {
        rally.placePaddles();
        w.tmrBall_Timer();
        rally.afterTick();
    }
    benchmark::DoNotOptimize(w.imgBall.Left);
    state.SetItemsProcessed(state.iterations());
    state.counters["ticks_per_point"] =
        static_cast<double>(state.iterations()) / static_cast<double>(rally.points() + 1);
}

// One clock tick of the timer service with all four timers, as a match really runs: the ball,
// both paddle timers (the computer steering the right one in one-player mode), the start timer
// serving a second after each point, and a new match when one is won. 64 of these are one
// second of play.
void clockTick(benchmark::State& state) {
    const int players = static_cast<int>(state.range(1));
    Match match(static_cast<int>(state.range(0)), players);
    serve(match);
    ZarbWindow& w = match.window();
    zarb::TimerService& timers = match.program.timers();
    Player left(zarb::keys::kA, zarb::keys::kZ, true);
    Player right(zarb::keys::kApostrophe, zarb::keys::kSlash, false);
    for (auto _ : state) {
        const auto press = [&w](int key, bool down) {
            down ? w.Form_KeyDown(key, 0) : w.Form_KeyUp(key, 0);
        };
        left.steer(w, press);
        if (players == 2) {
            right.steer(w, press);
        }
        timers.tick();
        if (w.player1Score == 10 || w.player2Score == 10) {
            w.mnuNew_Click();
        }
    }
    benchmark::DoNotOptimize(w.imgBall.Left);
    state.SetItemsProcessed(state.iterations());
    // The cost of one second of play: 64 clock ticks.
    state.counters["game_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()) / 64.0,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// A stream that throws its characters away, after they have been formatted as usual.
class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// A script in the mix of the tests' scripts: mostly set and get, menu clicks, handlers, keys,
// some running of the clock, a comment and a state.
const std::vector<std::string> kScript = {
    "# A new match, its serve, and a ball put where the case wants it.",
    "click mnuNew",
    "run 1000",
    "get ballDirX ballDirY ballStepY",
    "set imgBall.Left 5760",
    "set imgBall.Top 3720",
    "set ballDirX 1",
    "set ballDirY 2",
    "set ballStepY -30",
    "tmrBall_Timer",
    "get imgBall.Left imgBall.Top",
    "set imgRight.Top 3000",
    "tmrRight_Timer 3",
    "get imgRight.Top opponentGap",
    "Form_KeyDown 65",
    "tmrLeft_Timer",
    "Form_KeyUp 65",
    "get imgLeft.Top keyLeftUp",
    "set imgBall.Left 11450  # about to leave on the right",
    "run 15.625",
    "get player1Score lblPlayer1.Caption lblWin.Caption",
    "click mnuEnd",
    "click mnuTwo",
    "click mnuLevel2",
    "get lblLevel.Caption shpObstacle.Visible predictionLine",
    "click mnuOne",
    "click mnuLevel1",
    "set lblWin.Caption \"Ready # or not\"",
    "get lblWin.Caption mnuOne.Checked tmrBall.Enabled",
    "Form_KeyDown 27",
    "get mnuPause.Checked lblPause.Visible",
    "Form_KeyDown 27",
    "state",
};

void scriptLines(benchmark::State& state) {
    NullBuffer discard;
    std::ostream out(&discard);
    std::ostringstream errors;
    zarb::headless::ScriptRunner runner(out, errors);
    long lineNumber = 1;
    runner.runLine("cmdPlay_Click", lineNumber++);
    for (auto _ : state) {
        for (const std::string& line : kScript) {
            runner.runLine(line, lineNumber++);
        }
    }
    if (runner.anyError()) {
        state.SkipWithError(("the script has bad lines: " + errors.str()).c_str());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(kScript.size()));
}

BENCHMARK(ballTick)->ArgsProduct({{1, 2, 3, 4, 5}, {1, 2}})->ArgNames({"level", "players"});
BENCHMARK(clockTick)->ArgsProduct({{1, 2, 3, 4, 5}, {1, 2}})->ArgNames({"level", "players"});
BENCHMARK(scriptLines);

// The usual console output, and the rates kept for the summary table: with repetitions, the
// median of them, which a busy machine disturbs least.
class SummaryReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto rate = run.counters.find("items_per_second");
            if (run.error_occurred || rate == run.counters.end()) {
                continue;
            }
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                std::string name = run.benchmark_name();
                name.resize(name.size() - std::string("_median").size());
                rates[name] = rate->second.value;
                medians.insert(name);
            } else if (run.run_type == Run::RT_Iteration &&
                       medians.count(run.benchmark_name()) == 0) {
                rates[run.benchmark_name()] = rate->second.value;
            }
        }
    }
    std::map<std::string, double> rates;
    std::set<std::string> medians;
};

double rateOf(const SummaryReporter& reporter, const std::string& name) {
    const auto found = reporter.rates.find(name);
    return found == reporter.rates.end() ? 0.0 : found->second;
}

void printSummary(const SummaryReporter& reporter) {
    constexpr double kTarget = 10e6;
    std::printf(
        "\n| Level | Players | Ball ticks/s | Clock ticks/s (all four timers) | "
        "One second of play (64 clock ticks) |\n");
    std::printf("|---|---|---|---|---|\n");
    double slowest = 0;
    for (int level = 1; level <= 5; ++level) {
        for (int players = 1; players <= 2; ++players) {
            const std::string args =
                "/level:" + std::to_string(level) + "/players:" + std::to_string(players);
            const double ball = rateOf(reporter, "ballTick" + args);
            const double clock = rateOf(reporter, "clockTick" + args);
            if (ball == 0) {
                continue;
            }
            slowest = slowest == 0 ? ball : std::min(slowest, ball);
            std::printf("| %d | %d | %.1f M | %.1f M | %.2f us |\n", level, players, ball / 1e6,
                        clock / 1e6, clock == 0 ? 0.0 : 64.0 / clock * 1e6);
        }
    }
    if (slowest > 0) {
        std::printf("\nSlowest ball tick rate: %.1f M/s, target at least 10 M/s: %s\n",
                    slowest / 1e6, slowest >= kTarget ? "met" : "missed");
    }
    if (!reporter.medians.empty()) {
        std::printf("Each rate is the median of the repetitions.\n");
    }
    const double lines = rateOf(reporter, "scriptLines");
    if (lines > 0) {
        std::printf(
            "zarb-headless script lines: %.2f M lines/s (%zu-line script, output "
            "discarded)\n",
            lines / 1e6, kScript.size());
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    // Google Benchmark's own lines go to standard error; standard output carries the table.
    SummaryReporter reporter;
    reporter.SetOutputStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printSummary(reporter);
    return 0;
}
