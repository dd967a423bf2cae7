// How strong is the computer opponent? Plays many serves of one-player mode, with the game's own
// rules and a simulated clock, against a left player who follows the ball with the A and Z keys,
// at every level and speed, and prints a table. The same command prints the same table.
//
//   build/bench/zarb-strength-report [SERVES]

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/bench_players.h"
#include "game/platform.h"
#include "game/program.h"

namespace {

using zarb::Program;
using zarb::ZarbWindow;
namespace dir = zarb::dir;
using zarb::bench::SimulatedPlatform;

// The left player keeps the paddle's middle level with the ball's while the ball comes towards
// it, and holds still otherwise.
void steerLeftPaddle(ZarbWindow& w) {
    const float paddleMiddle = w.imgLeft.Top + 800;
    const float ballMiddle = w.imgBall.Top + 250;
    const bool coming = w.ballDirX == dir::kLeft;
    const int wanted = !coming                          ? 0
                       : ballMiddle < paddleMiddle - 80 ? zarb::keys::kA
                       : ballMiddle > paddleMiddle + 80 ? zarb::keys::kZ
                                                        : 0;
    for (const int key : {zarb::keys::kA, zarb::keys::kZ}) {
        if (key == wanted) {
            w.Form_KeyDown(key, 0);
        } else {
            w.Form_KeyUp(key, 0);
        }
    }
}

// A rally both sides keep returning is called off after this many hits.
constexpr long kLongestRally = 100;

struct Tally {
    long rallies = 0;
    long calledOff = 0;
    long computerReturns = 0;
    long computerMisses = 0;
    long hits = 0;
};

Tally play(int level, void (ZarbWindow::*speedItem)(), long serves) {
    SimulatedPlatform platform;
    Program program(platform);
    platform.useClock(program.clock());
    program.start();
    program.cmdPlay_Click();
    ZarbWindow& w = *program.zarb();
    (w.*speedItem)();
    void (ZarbWindow::*levelItems[])() = {
        &ZarbWindow::mnuLevel1_Click, &ZarbWindow::mnuLevel2_Click, &ZarbWindow::mnuLevel3_Click,
        &ZarbWindow::mnuLevel4_Click, &ZarbWindow::mnuLevel5_Click};
    (w.*levelItems[level - 1])();
    w.mnuNew_Click();

    Tally tally;
    int lastDirX = w.ballDirX;
    std::int32_t lastScore1 = 0;
    long rallyHits = 0;
    while (tally.rallies < serves) {
        steerLeftPaddle(w);
        program.timers().tick();
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
            w.mnuNew_Click();
            lastDirX = dir::kAtRest;
            lastScore1 = 0;
            continue;
        }
        lastScore1 = w.player1Score;
        lastDirX = w.ballDirX;
        if (w.player1Score == 10 || w.player2Score == 10) {
            w.mnuNew_Click();
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
    struct Speed {
        const char* name;
        void (ZarbWindow::*item)();
    };
    const Speed speeds[] = {{"Sluggish", &ZarbWindow::mnuSluggish_Click},
                            {"Slow", &ZarbWindow::mnuSlow_Click},
                            {"Medium", &ZarbWindow::mnuMedium_Click},
                            {"Fast", &ZarbWindow::mnuFast_Click},
                            {"Supersonic", &ZarbWindow::mnuReallyfast_Click}};
    std::printf(
        "| Level | Speed | Rallies | Computer returns | Mean rally (hits) | Called off |\n");
    std::printf("|---|---|---|---|---|---|\n");
    for (int level = 1; level <= 5; ++level) {
        for (const Speed& speed : speeds) {
            const Tally t = play(level, speed.item, serves);
            const long chances = t.computerReturns + t.computerMisses;
            std::printf("| %d | %s | %ld | %.1f %% | %.2f | %ld |\n", level, speed.name, t.rallies,
                        chances == 0 ? 0.0 : 100.0 * t.computerReturns / chances,
                        static_cast<double>(t.hits) / t.rallies, t.calledOff);
        }
    }
    return 0;
}
