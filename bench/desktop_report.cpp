#include "bench/desktop_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "game/timers.h"

namespace zarb::bench {

namespace {

double ratio(double game, double baseline) {
    return baseline == 0 ? 0 : game / baseline;
}

const char* verdict(bool met) {
    return met ? "met" : "MISSED";
}

// The key-to-screen target: a key shows within about one tick.

void printRow(const char* name, Results& r) {
    std::printf("| %s | %.3f | %.3f | %.3f | %.1f (%.1f %%) | %.1f | %.0f |\n", name, r["rate_hz"],
                r["interval_median_ms"], r["interval_p99_ms"], r["cpu_ms_per_s"],
                r["cpu_ms_per_s"] / 10.0, r["peak_rss_mib"], r["first_frame_ms"]);
}

// A game row's measures each as a ratio to the baseline's.
void printRatioRow(const char* name, Results& game, Results& baseline) {
    std::printf("| %s | %.4f | %.3f | %.3f | %.2f | %.2f | %.2f |\n", name,
                ratio(game["rate_hz"], baseline["rate_hz"]),
                ratio(game["interval_median_ms"], baseline["interval_median_ms"]),
                ratio(game["interval_p99_ms"], baseline["interval_p99_ms"]),
                ratio(game["cpu_ms_per_s"], baseline["cpu_ms_per_s"]),
                ratio(game["peak_rss_mib"], baseline["peak_rss_mib"]),
                ratio(game["first_frame_ms"], baseline["first_frame_ms"]));
}

void printProgramTable(DesktopResults& r) {
    std::printf("Desktop, offscreen platform, %.0f s of play each, %dx%d window\n\n", r.seconds,
                static_cast<int>(r.game["width"]), static_cast<int>(r.game["height"]));
    std::printf(
        "| Program | Ticks/s (Hz) | Interval median (ms) | Interval p99 (ms) | "
        "CPU per second (ms/s, %% of a core) | Peak RSS (MiB) | First frame (ms) |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    printRow("Game (FrmZarb, two players, rally)", r.game);
    printRow("Baseline (bare QWidget, 3 pictures)", r.baseline);
    printRatioRow("Game / baseline", r.game, r.baseline);
    printRow("Fair baseline (menu bar, 3 pictures, score labels)", r.fair);
    printRatioRow("Game / fair baseline", r.game, r.fair);
    printRow("Game, level 5, one player, the computer scoring", r.busy);
    printRatioRow("Busy game / baseline", r.busy, r.baseline);
}

void printStallTable(Results& stall) {
    std::printf(
        "\n| Game stopped %.0f ms (SIGSTOP, SIGCONT), then | Ticks in the first 50 ms | "
        "Most ticks in any 50 ms of the first second | Ticks/s from then on |\n",
        stall["stall_gap_ms"]);
    std::printf("|---|---|---|---|\n");
    std::printf("| resumed, measured for %.1f s | %.0f | %.0f | %.3f |\n",
                stall["stall_rate_after_s"], stall["stall_first_50ms_ticks"],
                stall["stall_most_in_50ms"], stall["stall_rate_after_hz"]);
}

// The still states' verdict: no clock wake-ups, and the process at most twice a second.
struct IdleVerdict {
    bool met = true;
    double worstClock = 0;
    double worstProcess = 0;
};

IdleVerdict printIdleTable(DesktopResults& r) {
    std::printf(
        "\n| Game, %.0f s in each state | Clock ticks/s | Qt timer events/s | "
        "Main thread wake-ups/s | Process wake-ups/s (threads) | Target |\n",
        r.idleSeconds);
    std::printf("|---|---|---|---|---|---|\n");
    IdleVerdict verdictOf;
    for (int state = 0; state < 4; ++state) {
        const std::string key = std::to_string(state);
        // The splash and a paused match have no timer enabled.
        const bool still = state == 0 || state == 3;
        const double clock = r.idle[key + "_clock_hz"];
        const double timers = r.idle[key + "_timer_hz"];
        const double process = r.idle[key + "_process_hz"];
        std::string target = "-";
        if (still) {
            const bool met = clock == 0 && timers == 0 && process <= 2;
            verdictOf.met = verdictOf.met && met;
            verdictOf.worstClock = std::max({verdictOf.worstClock, clock, timers});
            verdictOf.worstProcess = std::max(verdictOf.worstProcess, process);
            target = std::string("0 clock, process at most 2: ") + verdict(met);
        }
        std::printf("| %s | %.1f | %.1f | %.1f | %.1f (%.0f) | %s |\n", kIdleStates[state], clock,
                    timers, r.idle[key + "_main_hz"], process, r.idle[key + "_threads"],
                    target.c_str());
    }
    return verdictOf;
}

void printDetails(DesktopResults& r) {
    Results& game = r.game;
    std::printf(
        "\nDetails: game frames %.1f/s, field paint %.0f us, FrmZarb::refresh %.1f us "
        "a tick (%.2f ms/s), late ticks %.0f, longest interval %.2f ms, first field "
        "frame after PLAY! at %.0f ms, %.0f points in the rally, ball %s at the end.\n",
        game["frames_per_s"], game["paint_us"], game["refresh_us"],
        game["refresh_us"] * game["rate_hz"] / 1000.0, game["late_ticks"], game["interval_max_ms"],
        game["field_first_frame_ms"], game["points"],
        game["ball_moving"] != 0 ? "moving" : "at rest");
    std::printf(
        "Baseline frames %.1f/s, paint %.0f us, late ticks %.0f, longest interval "
        "%.2f ms.\n",
        r.baseline["frames_per_s"], r.baseline["paint_us"], r.baseline["late_ticks"],
        r.baseline["interval_max_ms"]);
    std::printf("Fair baseline frames %.1f/s, paint %.0f us.\n", r.fair["frames_per_s"],
                r.fair["paint_us"]);
    std::printf("Busy game frames %.1f/s, field paint %.0f us, %.0f points.\n",
                r.busy["frames_per_s"], r.busy["paint_us"], r.busy["points"]);
}

void printTargets(DesktopResults& r, const IdleVerdict& idle) {
    const double tickHz = 1000.0 / TimerService::kTickMs;
    const double rateError = std::fabs(r.game["rate_hz"] - tickHz) / tickHz;
    const double p99Error = std::fabs(r.game["interval_p99_ms"] - TimerService::kTickMs);
    const double cpuRatio = ratio(r.game["cpu_ms_per_s"], r.baseline["cpu_ms_per_s"]);
    const double rssRatio = ratio(r.game["peak_rss_mib"], r.baseline["peak_rss_mib"]);
    const double fairRssRatio = ratio(r.game["peak_rss_mib"], r.fair["peak_rss_mib"]);
    std::printf("\nTargets:\n");
    std::printf("- 64.0 ticks/s within 0.1 %%: %s (off by %.3f %%)\n", verdict(rateError <= 0.001),
                100 * rateError);
    std::printf("- p99 interval within 2 ms of 15.625 ms: %s (off by %.2f ms)\n",
                verdict(p99Error <= 2.0), p99Error);
    std::printf("- CPU per second at most 1.2x the baseline's: %s (%.2fx)\n",
                verdict(cpuRatio <= 1.2), cpuRatio);
    std::printf("- peak RSS at most 1.1x the bare baseline's: %s (%.2fx)\n",
                verdict(rssRatio <= 1.1), rssRatio);
    std::printf("- peak RSS at most 1.1x the fair baseline's: %s (%.2fx)\n",
                verdict(fairRssRatio <= 1.1), fairRssRatio);
    std::printf("- no burst after a stall, at most 4 ticks in any 50 ms: %s (%.0f)\n",
                verdict(r.stall["stall_most_in_50ms"] <= 4), r.stall["stall_most_in_50ms"]);
    std::printf(
        "- on the splash and while paused, 0 clock wake-ups a second and the process at most 2: "
        "%s (clock %.1f, process %.1f)\n",
        verdict(idle.met), idle.worstClock, idle.worstProcess);
}

}  // namespace

void printDesktopReport(DesktopResults& r) {
    printProgramTable(r);
    printStallTable(r.stall);
    const IdleVerdict idle = printIdleTable(r);
    printDetails(r);
    printTargets(r, idle);
}

}  // namespace zarb::bench
