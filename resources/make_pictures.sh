#!/usr/bin/env bash
# Makes the game's pictures again and writes them beside this script, and the icon at the sizes
# of the desktop's icon theme into packaging/icons/SIZE/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${ZARB_BUILD_DIR:-$here/../build}
cmake --build "$build" --target zarb-make-pictures
QT_QPA_PLATFORM=offscreen "$build/resources/zarb-make-pictures" "$here" "$here/../packaging/icons"
