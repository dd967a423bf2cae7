#!/usr/bin/env bash
# Opens the splash, the game window and the Rules box under a virtual screen of the given size
# and desktop scale, framed by openbox, and says where each window and its frame lie and whether
# all of it is on the screen; a picture of each is left in FOLDER.
#   bash tools/screen_fit.sh [WIDTHxHEIGHT] [SCALE] [FOLDER]    e.g. 1280x720 1.5
# (installs xvfb, openbox, xdotool, x11-utils and imagemagick). Exit status 1 when a window is
# not wholly on the screen.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
zarb=${ZARB:-$here/build/forms/zarb}
size=${1:-1280x720}
scale=${2:-1.5}
out=${3:-$here/build/screen_fit}
mkdir -p "$out"

source "$here/tools/display.sh"
install_missing xvfb openbox xdotool x11-utils imagemagick
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 "${size}x24" >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
sleep 1
openbox >/dev/null 2>&1 &
manager=$!
sleep 0.7
QT_SCALE_FACTOR=$scale "$zarb" >/dev/null 2>&1 &
game=$!
trap 'kill $game $manager $xvfb 2>/dev/null || true' EXIT
sleep 2

screen_width=${size%x*}
screen_height=${size#*x}
off=0
# Says where the window titled TITLE and its frame lie, in the screen's pixels.
report() {
    local id info x y width height left right top bottom
    id=$(xdotool search --onlyvisible --name "$1" | head -n 1)
    info=$(xwininfo -id "$id")
    x=$(awk '/Absolute upper-left X/ { print $4 }' <<<"$info")
    y=$(awk '/Absolute upper-left Y/ { print $4 }' <<<"$info")
    width=$(awk '/Width:/ { print $2 }' <<<"$info")
    height=$(awk '/Height:/ { print $2 }' <<<"$info")
    read -r left right top bottom < <(xprop -id "$id" _NET_FRAME_EXTENTS |
        sed -n 's/.*= //; s/,//gp')
    local x0=$((x - left)) y0=$((y - top)) x1=$((x + width + right)) y1=$((y + height + bottom))
    local verdict="on the screen"
    if [ $x0 -lt 0 ] || [ $y0 -lt 0 ] || [ $x1 -gt "$screen_width" ] ||
        [ $y1 -gt "$screen_height" ]; then
        verdict="NOT on the screen"
        off=1
    fi
    echo "$2: ${width}x${height} at $x,$y; with its frame from $x0,$y0 to $x1,$y1: $verdict"
    import -window root "$out/$2.png"
}

echo "screen ${size}, scale ${scale}"
report '^ Zarb$' splash
xdotool key Return && sleep 1.5
report '^Zarb$' "game window"
xdotool key ctrl+r && sleep 1
report '^Rules of Zarb$' "rules box"
echo "pictures in $out"
exit $off
