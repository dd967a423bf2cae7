#!/usr/bin/env bash
# Opens the game under a headless Wayland compositor and checks that it comes up as a Wayland
# window of its own, named by the desktop file's app id, so that the desktop finds its menu
# entry and icon, and that it draws its splash.
#   wayland.sh ZARB APP_ID
# Exit status 0 when it does, 1 when it does not, 77 when weston or Qt's Wayland plugin is
# missing.
set -euo pipefail

if [ $# -ne 2 ]; then
    echo "usage: wayland.sh ZARB APP_ID" >&2
    exit 2
fi
zarb=$1
app_id=$2

if ! command -v weston >/dev/null 2>&1; then
    echo "SKIP: weston is not installed"
    exit 77
fi
if ! compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null; then
    echo "SKIP: Qt's Wayland plugin (qt6-wayland) is not installed"
    exit 77
fi

runtime=$(mktemp -d)
chmod 700 "$runtime"
compositor=
game=
finish() {
    [ -n "$game" ] && kill "$game" 2>/dev/null
    [ -n "$compositor" ] && kill "$compositor" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$runtime"
}
trap finish EXIT

export XDG_RUNTIME_DIR=$runtime
socket=zarb-test
weston --backend=headless-backend.so --socket=$socket --idle-time=0 >"$runtime/weston.log" 2>&1 &
compositor=$!
for ((i = 0; i < 100; i++)); do
    [ -S "$runtime/$socket" ] && break
    sleep 0.1
done
if [ ! -S "$runtime/$socket" ]; then
    cat "$runtime/weston.log"
    echo "FAIL: weston did not start"
    exit 1
fi

# No X display to fall back on: the game must speak Wayland or not come up at all.
env -u DISPLAY WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
    "$zarb" >/dev/null 2>"$runtime/zarb.log" &
game=$!

named="xdg_toplevel@[0-9]*\.set_app_id(\"$app_id\")"
# The splash's picture handed to the compositor: a buffer attached to a surface.
drawn='wl_surface@[0-9]*\.attach(wl_buffer@'
for ((i = 0; i < 200; i++)); do
    if grep -q "$named" "$runtime/zarb.log" && grep -q "$drawn" "$runtime/zarb.log"; then
        echo "zarb came up as a Wayland window with the app id $app_id and drew itself"
        exit 0
    fi
    kill -0 "$game" 2>/dev/null || break
    sleep 0.1
done
# What the game said, besides the protocol's messages.
grep -v '^\[' "$runtime/zarb.log" | tail -n 20 || true
grep -q "$named" "$runtime/zarb.log" || echo "FAIL: no Wayland window with the app id $app_id"
grep -q "$drawn" "$runtime/zarb.log" || echo "FAIL: the game drew nothing on its Wayland window"
exit 1
