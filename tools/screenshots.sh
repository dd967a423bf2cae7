#!/usr/bin/env bash
# Plays the desktop game under a virtual display and takes screenshots of it: the splash, the
# controls box, the field at the start, a rally, the pause with the rules and about boxes over
# it, levels 2, 3 and 5, and on level 3
# the ball at the field's top or bottom edge, where it comes through to the other side.
# The windows are framed by openbox, as on a desktop, where it is installed.
#   bash tools/screenshots.sh [FOLDER]      (installs xvfb, xdotool, x11-utils and imagemagick)
# With --readme it also keeps the README's pictures in docs/pictures/: the splash, a rally and
# levels 2, 3 and 5, each its window with its frame, in few colours (installs openbox and
# optipng too), and the web page on a phone where build-web/ and the page tests' modules are.
#   bash tools/screenshots.sh --readme [FOLDER]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
zarb=${ZARB:-$here/build/forms/zarb}
readme=
if [ "${1:-}" = --readme ]; then
    readme=$here/docs/pictures
    shift
fi
out=${1:-$here/build/screenshots}
mkdir -p "$out"

source "$here/tools/display.sh"
install_missing xvfb xdotool x11-utils imagemagick
if [ -n "$readme" ]; then
    install_missing openbox optipng
    mkdir -p "$readme"
fi
start_display
manager=
if command -v openbox >/dev/null; then
    openbox >/dev/null 2>&1 &
    manager=$!
    sleep 0.5
fi
"$zarb" >/dev/null 2>&1 &
game=$!
trap 'kill $game $manager $xvfb 2>/dev/null || true' EXIT
sleep 1.5

shot() { import -window root "$out/$1.png"; }
# Sets X, Y and HEIGHT to the client area of the window: a framing window manager would make
# xdotool's own answer count the frame twice.
place() {
    local info
    info=$(xwininfo -id "$1")
    X=$(awk '/Absolute upper-left X/ { print $4 }' <<<"$info")
    Y=$(awk '/Absolute upper-left Y/ { print $4 }' <<<"$info")
    HEIGHT=$(awk '/Height:/ { print $2 }' <<<"$info")
    WIDTH=$(awk '/Width:/ { print $2 }' <<<"$info")
}
# Keeps the last screenshot NAME for the README: the window whose title matches TITLE, cut out
# with the frame the window manager drew around it, in at most 64 colours.
keep_for_readme() {
    [ -n "$readme" ] || return 0
    local id left right top bottom
    id=$(xdotool search --onlyvisible --name "$2" | head -n 1)
    place "$id"
    read -r left right top bottom < <(xprop -id "$id" _NET_FRAME_EXTENTS |
        sed -n 's/.*= //; s/,//gp')
    convert "$out/$1.png" \
        -crop "$((WIDTH + ${left:-0} + ${right:-0}))x$((HEIGHT + ${top:-0} + ${bottom:-0}))+$((X - ${left:-0}))+$((Y - ${top:-0}))" \
        +repage +dither -colors 64 "PNG8:$readme/$1.png"
    optipng -quiet -o5 -strip all "$readme/$1.png"
}
click_button() {  # the splash's buttons lie 213 pixels down, at 88, 224 and 360 across
    place "$(xdotool search --name '^ Zarb$' | head -n 1)"
    xdotool mousemove $((X + $1)) $((Y + 213)) click 1
}
focus_game() {  # with no window manager, a closed box leaves the keyboard with nobody
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^Zarb$' | head -n 1)"
}
choose_level() {  # Edit > Level > Level N
    xdotool key alt+e Up Right
    for ((i = 1; i < $1; i++)); do xdotool key Down; done
    xdotool key Return
}

shot splash && keep_for_readme splash '^ Zarb$'
click_button 224 && sleep 0.5 && shot controls_box
xdotool key Return && sleep 0.3
click_button 88 && sleep 1
shot start
xdotool key F1 && sleep 1.5 && shot rally && keep_for_readme rally '^Zarb$'
xdotool key Escape && sleep 0.3 && shot paused
xdotool key ctrl+r && sleep 0.5 && shot rules_box && xdotool key Return && sleep 0.3
focus_game && xdotool key ctrl+a && sleep 0.5 && shot about_box && xdotool key Return && sleep 0.3
focus_game
xdotool key F2
# True when a strip of the field, ROWS pixels from row TOP down, shows some of the ball, leaving
# out the paddles' columns at either side.
ball_in_strip() {
    local top=$1 rows=$2 brightest
    brightest=$(convert "$out/.frame.png" -crop "712x${rows}+$((X + 40))+$((Y + menu + top))" +repage \
        -fill black +opaque 'rgb(194,241,244)' -format '%[max]' info:)
    [ "$brightest" != 0 ]
}
# Level 3 has no ceiling and no floor: keep looking until the ball reaches either edge of the
# field (567 pixels high, above the red bar).
edge_shot() {
    local i
    place "$(xdotool search --onlyvisible --name '^Zarb$' | head -n 1)"
    menu=$((HEIGHT - 644))
    for ((i = 0; i < 80; i++)); do
        import -window root "$out/.frame.png"
        if ball_in_strip 0 24 || ball_in_strip 543 24; then
            mv "$out/.frame.png" "$out/level3_edge.png"
            return
        fi
    done
    echo "the ball did not reach an edge of the field on level 3" >&2
    rm -f "$out/.frame.png"
}
for level in 2 3 5; do
    choose_level $level && sleep 0.3
    xdotool key F1 && sleep 2.2 && shot "level$level" && keep_for_readme "level$level" '^Zarb$'
    [ $level = 3 ] && edge_shot
    xdotool key F2
done
# The page on an upright phone, from its build in build-web/ and the page tests' browser driver.
if [ -n "$readme" ] && [ -f "$here/build-web/zarb.wasm" ] && [ -d "$here/tests/web/node_modules" ]; then
    node "$here/tools/phone_shot.mjs" "$here/build-web" "$out/phone.png"
    convert "$out/phone.png" +dither -colors 64 "PNG8:$readme/phone.png"
    optipng -quiet -o5 -strip all "$readme/phone.png"
fi
echo "screenshots in $out"
