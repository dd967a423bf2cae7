#!/usr/bin/env bash
# Builds the game's web page into a folder (build-web/ by default): the rules compiled to one
# WebAssembly file, with the page, its script, its style, the two pictures and the icon beside it.
#   bash web/build.sh [FOLDER]        (needs Debian's emscripten)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$here/build-web}
mkdir -p "$out"

# Debian's emscripten comes with its system libraries built, in a cache it never writes to: the
# first build is as quick as any, for any user, and needs no cache of our own.

# Newer Node.js finds the compiler's JavaScript helpers only here.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

sources=("$here"/game/*.cpp "$here"/help/*.cpp "$here"/web/zarb_web.cpp)
# No exceptions, no files, the small allocator; the page's own script is the only glue, and the
# functions it offers (page*) are left for it to give. The rules are single precision exactly as
# written: no fused multiply-add; they evaluate every part of a compound condition on purpose,
# with & and | on bools.
em++ -std=c++20 -Oz -flto -fno-exceptions -fno-rtti -ffp-contract=off \
    -Wall -Wextra -Werror -Wno-bitwise-instead-of-logical \
    -I"$here" "${sources[@]}" -o "$out/zarb.wasm" \
    --no-entry -sFILESYSTEM=0 -sMALLOC=emmalloc \
    -sERROR_ON_UNDEFINED_SYMBOLS=0 -sWARN_ON_UNDEFINED_SYMBOLS=0

cp "$here"/web/index.html "$here"/web/zarb.js "$here"/web/zarb.css "$out"/
cp "$here"/resources/ball.gif "$here"/resources/paddle.gif "$here"/resources/zarb.png "$out"/
