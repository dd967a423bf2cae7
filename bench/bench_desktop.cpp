// What the desktop game costs beside windows that do the least a 64 Hz game must do, how often
// it wakes up when nothing moves (how soon a key shows is zarb-bench-frames'). Everything runs on
// the offscreen platform, each in a child process of its own (this program run again with a mode
// word), so CPU time, peak memory and wake-ups are each program's alone:
//
// - game: the real game window, PLAY! pressed once the splash is on screen, Two Players chosen
//   and F1 pressed; two players then keep the rally going. Measured for SECONDS from half a
//   second after the serve (desktop_game.cpp).
// - baseline, fair: a bare window of pictures, and one with the game window's kinds of parts,
//   repainted at 64 Hz (desktop_baselines.cpp).
// - busy: the game on level 5 in one-player mode with nobody at the left paddle, so the
//   computer scores point after point: the obstacle moves, captions change, serves come.
// - stall: the game again, stopped with SIGSTOP for a second in mid-rally and continued.
// - idle: the game's wake-ups in four states (desktop_idle.cpp).
//
//   build/bench/zarb-bench-desktop [SECONDS]     the idle states get half of SECONDS each

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "bench/desktop_children.h"
#include "bench/desktop_report.h"
#include "bench/desktop_runs.h"

namespace {

using namespace zarb::bench;

// A child: argv is "--child MODE START SECONDS [WIDTH HEIGHT]".
int runChild(int argc, char** argv) {
    const std::string mode = argv[2];
    const double startedMs = std::strtod(argv[3], nullptr);
    const double seconds = std::strtod(argv[4], nullptr);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(quietMessages);
    int qtArgc = 1;
    BenchApplication application(qtArgc, argv);
    if ((mode == "baseline" || mode == "fair") && argc >= 7) {
        return runBaseline(application, startedMs, seconds, std::atoi(argv[5]), std::atoi(argv[6]),
                           mode == "fair");
    }
    if (mode == "idle") {
        return runIdle(application);
    }
    const GamePlay play = mode == "stall"  ? GamePlay::stalled
                          : mode == "busy" ? GamePlay::busy
                                           : GamePlay::rally;
    return runGame(application, startedMs, seconds, play);
}

// The game stopped for stallMs, stallAfterMs after it says it is playing.
Results runStalledGame(int stallAfterMs, int stallMs) {
    return runChildProcess({"stall", "8"}, [=](const ChildLine& line) {
        if (line.name == "playing") {
            std::this_thread::sleep_for(std::chrono::milliseconds(stallAfterMs));
            kill(line.child, SIGSTOP);
            std::this_thread::sleep_for(std::chrono::milliseconds(stallMs));
            kill(line.child, SIGCONT);
        }
    });
}

std::string whole(double value) {
    return std::to_string(static_cast<int>(value));
}

// The children one after the other, then the tables. The baselines take their sizes from the
// game's window and field.
int runParent(double seconds) {
    DesktopResults r;
    r.seconds = seconds;
    r.idleSeconds = seconds / 2;
    const std::string duration = std::to_string(seconds);
    r.game = runChildProcess({"game", duration});
    r.baseline =
        runChildProcess({"baseline", duration, whole(r.game["width"]), whole(r.game["height"])});
    r.fair = runChildProcess(
        {"fair", duration, whole(r.game["field_width"]), whole(r.game["field_height"])});
    r.busy = runChildProcess({"busy", duration});
    r.stall = runStalledGame(2000, 1000);
    r.idle = runIdleStates(r.idleSeconds);
    printDesktopReport(r);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 5 && std::strcmp(argv[1], "--child") == 0) {
        return runChild(argc, argv);
    }
    const double seconds = argc > 1 ? std::strtod(argv[1], nullptr) : 10.0;
    if (!(seconds > 0 && seconds <= 600)) {
        std::fprintf(stderr, "usage: zarb-bench-desktop [SECONDS]\n");
        return 1;
    }
    return runParent(seconds);
}
