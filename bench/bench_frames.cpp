// How evenly the desktop shows a flying ball, what a rally costs it, and how soon a key shows.
//
// - placing: the rule that places the pieces between ticks, fed with evenly spaced frame times
//   at 60, 120 and 144 frames a second over many straight flights, beside the pieces drawn where
//   the last tick left them. A frame is uneven when the ball's advance differs from the mean
//   advance by more than a third of a tick's step.
// - flight (a child process at each pace): the real game window, the ball kept in a straight
//   flight from paddle to paddle, its drawn place read at every paint of the field.
// - rally: two players sweeping their paddles up and down through a match; the parent counts the
//   voluntary context switches of all the child's threads, each one a wake-up, and the child its
//   CPU time.
// - keys: single presses of A or Z at random moments in a one-player match; from the key-down to
//   the end of the window update that first shows the left paddle a pixel or more from where it
//   was.
//
// The children draw on the platform Qt picks: run under X (Xvfb is enough) for the figures of a
// real display, e.g. `xvfb-run -s "-screen 0 1024x768x24" build/bench/zarb-bench-frames`.

#include "bench/bench_frames.h"

#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_players.h"
#include "bench/desktop_children.h"
#include "game/motion.h"
#include "game/simulated_platform.h"

namespace {

using namespace zarb::bench;
constexpr double kPaces[] = {60, 120, 144};

// ---- The placing rule alone.

struct Placing {
    double unevenBlendedPerS;
    double unevenAtTickPerS;
};

// Straight flights across the field at Medium speed, frames evenly spaced and out of step with
// the ticks; only the frames within one flight count.
Placing placeFrames(double framesPerSecond, double seconds) {
    zarb::Clock clock;
    zarb::SimulatedPlatform platform{clock};
    zarb::ZarbWindow window(platform, clock);
    window.Form_Load();
    zarb::Motion motion;
    const double frameMs = 1000 / framesPerSecond;
    std::vector<double> blended;
    std::vector<double> atTick;
    double lastTickMs = 0;
    double frameAt = frameMs * 0.37;  // any phase
    int flightTicks = 0;
    float lastBlended = 0;
    float lastAtTick = 0;
    bool first = true;
    while (frameAt < seconds * 1000) {
        while (lastTickMs + kTickMs <= frameAt) {
            lastTickMs += kTickMs;
            if (flightTicks == 0 || window.imgBall.Left > 10500) {
                // A new flight from the left, drawn at once where it starts.
                window.imgBall.Left = 500;
                window.ballDirX = zarb::dir::kRight;
                window.ballDirY = zarb::dir::kAtRest;
                motion.changed(window);
                flightTicks = 0;
                first = true;
            } else {
                window.imgBall.Left += static_cast<float>(window.speedSetting);
                motion.ticked(window);
            }
            ++flightTicks;
        }
        const float share = zarb::Motion::shareOfTick(frameAt - lastTickMs);
        const float left = motion.shownAt(window, window.imgBall, share).Left;
        if (!first && flightTicks > 2) {
            blended.push_back(left - lastBlended);
            atTick.push_back(window.imgBall.Left - lastAtTick);
        }
        first = false;
        lastBlended = left;
        lastAtTick = window.imgBall.Left;
        frameAt += frameMs;
    }
    const double step = window.speedSetting;
    return {unevenFrames(blended, step) / seconds, unevenFrames(atTick, step) / seconds};
}

// ---- The parent.

// The voluntary context switches of all of a process's threads.
long wakeUps(pid_t pid) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task/";
    long total = 0;
    if (DIR* dir = opendir(tasks.c_str())) {
        while (const dirent* entry = readdir(dir)) {
            std::ifstream status(tasks + entry->d_name + "/status");
            for (std::string line; entry->d_name[0] != '.' && std::getline(status, line);) {
                if (line.rfind("voluntary_ctxt_switches:", 0) == 0) {
                    total += std::stol(line.substr(line.find(':') + 1));
                }
            }
        }
        closedir(dir);
    }
    return total;
}

// Runs this program again as a child in the given mode; on the line "playing" the parent counts
// the child's wake-ups over countSeconds.
Results runFrames(const std::string& mode, double value, double seconds, double countSeconds = 0) {
    return runChildProcess(
        {mode, std::to_string(value), std::to_string(seconds)}, [&](const ChildLine& line) {
            if (line.name != "playing" || countSeconds <= 0) {
                return;
            }
            const double from = nowMs();
            const long before = wakeUps(line.child);
            std::this_thread::sleep_for(std::chrono::duration<double>(countSeconds));
            const long after = wakeUps(line.child);
            line.results["wake_ups_per_s"] =
                static_cast<double>(after - before) / ((nowMs() - from) / 1000);
        });
}

const char* verdict(bool met) {
    return met ? "met" : "MISSED";
}

int runParent(double seconds) {
    std::printf(
        "Placing the pieces between ticks, frames evenly spaced, %.0f s of straight "
        "flights at Medium speed\n\n",
        seconds * 10);
    std::printf(
        "| Frames a second | Uneven frames a second, drawn between ticks | "
        "Drawn where the last tick left them |\n|---|---|---|\n");
    bool placingMet = true;
    for (const double pace : kPaces) {
        const Placing placing = placeFrames(pace, seconds * 10);
        placingMet = placingMet && placing.unevenBlendedPerS == 0;
        std::printf("| %.0f | %.2f | %.2f |\n", pace, placing.unevenBlendedPerS,
                    placing.unevenAtTickPerS);
    }

    std::vector<Results> flights;
    for (const double pace : kPaces) {
        flights.push_back(runFrames("flight", pace, seconds));
    }
    Results rally = runFrames("rally", 0, seconds + 1, seconds);
    Results keys = runFrames("keys", 300, 0);
    const bool onX = rally["platform_is_x"] != 0;
    std::printf("\nThe desktop game on %s, %.0f s each\n\n",
                onX ? "X (DISPLAY)" : "the offscreen platform", seconds);
    std::printf(
        "| Frames a second asked | Frames drawn a second | Uneven frames a second in a "
        "straight flight |\n|---|---|---|\n");
    for (std::size_t i = 0; i < flights.size(); ++i) {
        std::printf("| %.0f | %.1f | %.2f |\n", kPaces[i], flights[i]["frames_per_s"],
                    flights[i]["uneven_per_s"]);
    }
    const double perTick = rally["wake_ups_per_s"] / rally["ticks_per_s"];
    std::printf(
        "\n| Two-player rally, both paddles moving, screen at %.0f Hz | Clock ticks a "
        "second | Frames a second | Wake-ups a tick (all threads) | CPU (ms/s, %% of a "
        "core) |\n|---|---|---|---|---|\n",
        rally["screen_hz"]);
    std::printf("| %.0f s | %.1f | %.1f | %.2f | %.1f (%.1f %%) |\n", seconds, rally["ticks_per_s"],
                rally["frames_per_s"], perTick, rally["cpu_ms_per_s"], rally["cpu_ms_per_s"] / 10);
    std::printf(
        "\n| Key-down to the first update showing the paddle moved a pixel (%.0f "
        "presses, 60 frames a second) | Median (ms) | p99 (ms) | Worst (ms) |\n"
        "|---|---|---|---|\n",
        keys["key_presses"]);
    std::printf("| | %.2f | %.2f | %.2f |\n", keys["key_median_ms"], keys["key_p99_ms"],
                keys["key_worst_ms"]);

    std::printf("\nTargets:\n");
    std::printf("- 0 uneven frames a second when frames come evenly, at 60, 120 and 144: %s\n",
                verdict(placingMet));
    std::printf("- a rally wakes the program at most 4 times a tick: %s (%.2f%s)\n",
                verdict(perTick <= 4), perTick, onX ? "" : ", offscreen: run under X");
    std::printf("- key to screen median at most 20 ms, p99 at most 34 ms: %s (%.2f, %.2f ms)\n",
                verdict(keys["key_median_ms"] <= 20 && keys["key_p99_ms"] <= 34),
                keys["key_median_ms"], keys["key_p99_ms"]);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 6 && std::strcmp(argv[1], "--child") == 0) {
        return zarb::bench::runFramesChild(argv);
    }
    const double seconds = argc > 1 ? std::strtod(argv[1], nullptr) : 10.0;
    if (!(seconds > 0 && seconds <= 600)) {
        std::fprintf(stderr, "usage: zarb-bench-frames [SECONDS]\n");
        return 1;
    }
    return runParent(seconds);
}
