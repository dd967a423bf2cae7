#!/usr/bin/env bash
# Starts zarb on displays it cannot open and checks that each time it says so in one line on
# standard error, prints nothing else and ends with status 1 (not an abort with a core).
set -u
zarb=$1
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT

# Each case: the display settings it starts with, the others unset.
cases=(
    ""
    "DISPLAY=:39"
    "DISPLAY=garbage"
    "QT_QPA_PLATFORM=nosuch DISPLAY=:39"
    "QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=no-such-socket"
    "QT_QPA_PLATFORM=xcb DISPLAY=garbage"
)

failed=0
for settings in "${cases[@]}"; do
    err=$(
        # shellcheck disable=SC2086  # the settings are separate words
        env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$runtime" \
            $settings timeout 30 "$zarb" 2>&1 >"$runtime/out"
    )
    status=$?
    lines=$(printf '%s\n' "$err" | wc -l)
    if [ "$status" -ne 1 ] || [ "$lines" -ne 1 ] || [ -z "$err" ] || [ "${err#zarb: }" = "$err" ] ||
        [ -s "$runtime/out" ]; then
        echo "with [$settings]: status $status (1 expected), standard error (one zarb: line expected):"
        printf '%s\n' "$err"
        failed=1
    fi
done
exit $failed
