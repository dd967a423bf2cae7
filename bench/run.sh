#!/bin/sh
# Runs every benchmark and prints their tables: how fast the rules run on one core, then the
# desktop game window beside a bare and a fair 64 Hz window, its wake-ups in four states and
# the time from a key to the screen; and, when the page is built (build-web/) and the page tests'
# node_modules are there, how evenly the web page draws a flight and what a rally costs it.
# Google Benchmark's own lines are kept in bench-rules.log next to the programs.
#
#   bench/run.sh [BENCH_DIR]        BENCH_DIR defaults to build/bench
#   cmake --build build --target bench
set -eu

dir=${1:-$(dirname "$0")/../build/bench}
if [ ! -x "$dir/zarb-bench-rules" ]; then
    echo "run.sh: no $dir/zarb-bench-rules; build first (bash setup.sh build)" >&2
    exit 1
fi

# Other work on the machine makes the rates noisy: say how busy it was.
echo "Load average at the start: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
echo
echo "## Rules, one core (CPU time, median of 3)"
"$dir/zarb-bench-rules" --benchmark_repetitions=3 --benchmark_display_aggregates_only=true \
    2>"$dir/bench-rules.log"

if [ -x "$dir/zarb-bench-desktop" ]; then
    echo
    echo "## Desktop"
    echo
    "$dir/zarb-bench-desktop"
fi

if [ -x "$dir/zarb-bench-frames" ]; then
    echo
    echo "## Frames between ticks"
    echo
    "$dir/zarb-bench-frames"
fi

root=$(dirname "$0")/..
if [ -d "$root/build-web" ] && [ -d "$root/tests/web/node_modules" ] && command -v node >/dev/null; then
    echo
    echo "## Web page frames"
    echo
    node "$root/bench/web_frames.mjs"
fi
