// How strong is the computer opponent? Plays many serves of one-player mode, with the game's own
// rules and a simulated clock, against a left player who follows the ball with the A and Z keys,
// at every level and speed, and prints a table. The same command prints the same table.
//
//   build/bench/zarb-strength-report [SERVES]

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/bench_players.h"

namespace {

using zarb::ZarbWindow;
namespace dir = zarb::dir;
using zarb::bench::Player;
using zarb::bench::SimulatedGame;

// A rally both sides keep returning is called off after this many hits.
constexpr long kLongestRally = 100;

struct Tally {
    std::string speed;  // the Speed menu item's caption
    long rallies = 0;
    long calledOff = 0;
    long computerReturns = 0;
    long computerMisses = 0;
    long hits = 0;
};

const char* const kLevelItems[] = {"mnuLevel1", "mnuLevel2", "mnuLevel3", "mnuLevel4", "mnuLevel5"};
const char* const kSpeedItems[] = {"mnuSluggish", "mnuSlow", "mnuMedium", "mnuFast",
                                   "mnuReallyfast"};

Tally play(int level, const char* speedItem, long serves) {
    SimulatedGame game;
    game.choose(speedItem);
    game.choose(kLevelItems[level - 1]);
    game.choose("mnuNew");
    ZarbWindow& w = game.window();
    Tally tally;
    tally.speed = (w.*zarb::bench::menuEntry(speedItem).item).Caption;
    // The left player keeps the paddle's middle level with the ball's while the ball comes
    // towards it, and holds still otherwise.
    Player left(zarb::keys::kA, zarb::keys::kZ, true);
    const auto press = [&game](int key, bool down) {
        down ? game.program.pressKey(key, 0) : game.program.releaseKey(key, 0);
    };

    int lastDirX = w.ballDirX;
    std::int32_t lastScore1 = 0;
    long rallyHits = 0;
    while (tally.rallies < serves) {
        left.steer(w, press);
        game.program.tick();
        // Paddle hits only: the obstacle of levels 2 and 5 turns the ball in mid-field.
        const bool atRightPaddle = w.imgBall.Left > 9000;
        const bool atLeftPaddle = w.imgBall.Left < 2000;
        if (lastDirX == dir::kRight && w.ballDirX == dir::kLeft && atRightPaddle) {
            ++tally.computerReturns;
        }
        if ((lastDirX == dir::kRight && w.ballDirX == dir::kLeft && atRightPaddle) ||
            (lastDirX == dir::kLeft && w.ballDirX == dir::kRight && atLeftPaddle)) {
            ++tally.hits;
            ++rallyHits;
        }
        if (w.ballDirX == dir::kAtRest && lastDirX != dir::kAtRest) {
            ++tally.rallies;
            if (w.player1Score != lastScore1) {
                ++tally.computerMisses;
            }
            rallyHits = 0;
        }
        if (rallyHits >= kLongestRally) {
            ++tally.rallies;
            ++tally.calledOff;
            rallyHits = 0;
            game.choose("mnuNew");
            lastDirX = dir::kAtRest;
            lastScore1 = 0;
            continue;
        }
        lastScore1 = w.player1Score;
        lastDirX = w.ballDirX;
        if (w.player1Score == 10 || w.player2Score == 10) {
            game.choose("mnuNew");
            lastScore1 = 0;
        }
    }
    return tally;
}

}  // namespace

int main(int argc, char** argv) {
    const long serves = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 400;
    if (serves <= 0) {
        std::fprintf(stderr, "usage: zarb-strength-report [SERVES]\n");
        return 1;
    }
    std::printf(
        "| Level | Speed | Rallies | Computer returns | Mean rally (hits) | Called off |\n");
    std::printf("|---|---|---|---|---|---|\n");
    for (int level = 1; level <= 5; ++level) {
        for (const char* speedItem : kSpeedItems) {
            const Tally t = play(level, speedItem, serves);
            const long chances = t.computerReturns + t.computerMisses;
            std::printf("| %d | %s | %ld | %.1f %% | %.2f | %ld |\n", level, t.speed.c_str(),
                        t.rallies, chances == 0 ? 0.0 : 100.0 * t.computerReturns / chances,
                        static_cast<double>(t.hits) / t.rallies, t.calledOff);
        }
    }
    return 0;
}
