#pragma once

// The parent's side of the desktop benchmarks: each measure runs in a child process of its own
// (this program run again with "--child MODE START ARGS..."), so CPU time, peak memory and
// wake-ups are each program's alone. A child prints "name value" lines; the parent reads them
// and may answer on the child's standard input.

#include <sys/types.h>

#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zarb::bench {

using Results = std::map<std::string, double>;

// What the parent hears of a running child: each line it prints, with a way to answer it.
struct ChildLine {
    const std::string& name;
    double value;
    pid_t child;
    FILE* answer;
    Results& results;
};

// Runs this program again in the given mode (the first argument) and reads its results,
// passing each line to `heard` as it comes. A child that fails ends the benchmark.
Results runChildProcess(const std::vector<std::string>& arguments,
                        const std::function<void(const ChildLine&)>& heard = {});

// The names of the game's idle states, in the order they are measured.
inline const char* const kIdleStates[] = {"Splash", "Game window between matches",
                                          "Rally, two players", "Paused in a rally"};

// Counts, for each of the idle child's states, over `seconds`: results "<state>_clock_hz",
// "_timer_hz", "_main_hz", "_process_hz" and "_threads".
Results runIdleStates(double seconds);

}  // namespace zarb::bench
