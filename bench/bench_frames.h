#pragma once

// What the frames benchmark's parent and its children share: the times, the figures they print
// and the uneven-frame count.

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "game/timers.h"

namespace zarb::bench {

inline constexpr double kTickMs = TimerService::kTickMs;

// Milliseconds on the machine-wide monotonic clock.
inline double nowMs() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

inline double cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

inline double percentile(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * values.size()));
    return values[std::min(values.size(), std::max<std::size_t>(rank, 1)) - 1];
}

// A child's result, one "name value" a line, for its parent to read.
inline void report(const char* name, double value) {
    std::printf("%s %.6f\n", name, value);
    std::fflush(stdout);
}

// The frames whose advance differs from the mean advance by more than a third of a step.
inline int unevenFrames(const std::vector<double>& advances, double step) {
    if (advances.empty()) {
        return 0;
    }
    double mean = 0;
    for (const double advance : advances) {
        mean += advance / static_cast<double>(advances.size());
    }
    return static_cast<int>(std::count_if(advances.begin(), advances.end(), [&](double advance) {
        return std::fabs(advance - mean) > step / 3;
    }));
}

// A child of the frames benchmark: argv is the program, "--child", the mode, when the parent
// started it, a number and the seconds to measure.
int runFramesChild(char** argv);

}  // namespace zarb::bench
