#!/usr/bin/env bash
# Plays the desktop game under a virtual display with German, French and Russian keyboard layouts
# and presses both players' real keys: each paddle must move while its key is down and stand
# still once it is up, however Shift and Ctrl were pressed and released around it.
#   bash tests/forms/keyboard_layouts.sh     (installs xvfb, x11-xkb-utils, xdotool and imagemagick)
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
zarb=${ZARB:-$here/build/forms/zarb}

source "$here/tools/display.sh"
install_missing xvfb x11-xkb-utils xdotool imagemagick xkb-data

start_display
"$zarb" >/dev/null 2>&1 &
game=$!
trap 'kill $game $xvfb 2>/dev/null || true' EXIT
sleep 1.5

# PLAY! lies 88 pixels across and 213 down in the splash; then two-player mode.
splash=$(xdotool search --name '^ Zarb$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$splash" | grep -E '^(X|Y)=')"
xdotool mousemove $((X + 88)) $((Y + 213)) click 1
sleep 1
window=$(xdotool search --onlyvisible --name '^Zarb$' | head -n 1)
xdotool windowfocus --sync "$window"
xdotool key ctrl+t
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^HEIGHT=')"
menu=$((HEIGHT - 644))

# The top of a paddle in pixels: the left one lies from column 1, the right one from 763.
paddle_top() {
    local column=$1 shot
    shot=$(mktemp --suffix=.png)
    import -window "$window" "$shot"
    convert "$shot" -crop "29x567+$column+$menu" +repage -fill black +opaque 'rgb(194,241,244)' \
        -format '%@' info: | sed 's/.*+//'
    rm -f "$shot"
}

failures=0
# Presses KEY (after MODIFIER, if any), lets go of the modifier first, then of the key, and
# checks that the paddle in COLUMN moved and then stands still.
try() {
    local layout=$1 key=$2 column=$3 modifier=${4:-} before after later
    before=$(paddle_top "$column")
    [ -n "$modifier" ] && xdotool keydown "$modifier"
    xdotool keydown "$key"
    sleep 0.12
    [ -n "$modifier" ] && xdotool keyup "$modifier"
    xdotool keyup "$key"
    sleep 0.1
    after=$(paddle_top "$column")
    sleep 0.4
    later=$(paddle_top "$column")
    if [ "$before" = "$after" ] || [ "$after" != "$later" ]; then
        echo "$layout: ${modifier:+$modifier then }$key: paddle top $before, $after, $later" >&2
        failures=$((failures + 1))
    fi
}

# Per layout: Player 1's up and down keys, then Player 2's, as keysyms of that layout. Each pair
# is pressed down first and up second, so the paddles stay clear of the walls.
declare -A keys=(
    [de]="a z adiaeresis minus"
    [fr]="a z ugrave exclam"
    [ru]="Cyrillic_ef Cyrillic_ya Cyrillic_e period"
)
for layout in de fr ru; do
    setxkbmap "$layout"
    sleep 0.3
    read -r left_up left_down right_up right_down <<<"${keys[$layout]}"
    for modifier in "" shift ctrl; do
        try "$layout" "$left_down" 1 "$modifier"
        # Ctrl with Player 1's up key is the About box's shortcut: the paddle goes back up
        # without it, unchecked, so that it never ends up against the floor.
        if [ "$modifier" = ctrl ]; then
            xdotool keydown "$left_up" && sleep 0.12 && xdotool keyup "$left_up" && sleep 0.1
        else
            try "$layout" "$left_up" 1 "$modifier"
        fi
        try "$layout" "$right_down" 763 "$modifier"
        try "$layout" "$right_up" 763 "$modifier"
    done
done
setxkbmap us
if [ $failures -ne 0 ]; then
    echo "$failures key presses left a paddle standing or moving" >&2
    exit 1
fi
echo "German, French and Russian layouts: both paddles follow their keys"
