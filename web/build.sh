#!/usr/bin/env bash
# Builds the game's web page into a folder (build-web/ by default): the rules compiled to one
# WebAssembly file, with the page, its scripts, its style, its manifest, the two pictures and the
# icons beside it, and the service worker that keeps them for playing offline.
# CMake's own build files go beside the folder, in FOLDER-cmake.
#   bash web/build.sh [FOLDER]        (needs Debian's emscripten)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$here/build-web}
mkdir -p "$out"
out=$(cd "$out" && pwd)

# Debian's emscripten comes with its system libraries built, in a cache it never writes to: the
# first build is as quick as any, for any user, and needs no cache of our own.

# Newer Node.js finds the compiler's JavaScript helpers only here.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

emcmake cmake -S "$here" -B "$out-cmake" -DCMAKE_BUILD_TYPE=MinSizeRel -DZARB_WERROR=ON \
    -DZARB_WEB_DIR="$out" >/dev/null
cmake --build "$out-cmake" -j "$(nproc 2>/dev/null || echo 2)"
