#pragma once

// Runs a program with a given standard input and a time limit, and collects what it prints and
// how it ended. POSIX only, as the test machines are.

#include <cstddef>
#include <string>
#include <vector>

namespace zarb::fuzz {

struct Finished {
    bool timedOut = false;  // killed at the time limit
    int signal = 0;         // the signal that ended it, 0 if it exited
    int exitStatus = -1;    // its exit status, if it exited
    std::string out, err;
    bool outCut = false;  // standard output went beyond the kept length and was cut
    double elapsedMs = 0;
};

// Starts `program` with `arguments`, writes `input` to its standard input (ignoring a program
// that stops reading early), and waits at most `timeoutMs`, after which the program is killed.
// At most `keepBytes` of standard output are kept; the rest is read and dropped.
Finished runProgram(const std::string& program, const std::vector<std::string>& arguments,
                    const std::string& input, double timeoutMs,
                    std::size_t keepBytes = std::size_t{64} << 20);

// How it ended, in words: "exit status 1", "signal 11 (Segmentation fault)", "timed out".
std::string describeEnd(const Finished& finished);

}  // namespace zarb::fuzz
