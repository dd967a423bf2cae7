#pragma once

// The desktop benchmark's tables, from what its children measured.

#include "bench/desktop_children.h"

namespace zarb::bench {

struct DesktopResults {
    double seconds = 0;  // of play in each measured program
    double idleSeconds = 0;
    Results game;
    Results baseline;
    Results fair;
    Results busy;
    Results stall;
    Results idle;
};

// Prints the tables, some details and the targets, each met or missed.
void printDesktopReport(DesktopResults& r);

}  // namespace zarb::bench
