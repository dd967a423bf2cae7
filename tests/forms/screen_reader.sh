#!/usr/bin/env bash
# Reads the desktop game as a screen reader does, over AT-SPI under a virtual display: presses
# PLAY!, starts a match and listens for a few points. It prints what it read and fails unless it
# read the level caption, both scores and the status line, and heard a score change its name.
#   bash tests/forms/screen_reader.sh     (installs xvfb, xdotool, dbus, at-spi2-core and pyatspi)
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
zarb=${ZARB:-$here/build/forms/zarb}

source "$here/tools/display.sh"
install_missing xvfb xdotool dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0

if [ -z "${ZARB_READER_SESSION:-}" ]; then
    # A session bus of its own, on which the accessibility bus is started.
    ZARB_READER_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_display
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
trap 'kill $bus $xvfb 2>/dev/null || true' EXIT
sleep 1

/usr/bin/python3 - "$zarb" <<'PYTHON'
import subprocess, sys, threading, time
import pyatspi

heard = []
def on_name(event):
    if event.source.getRoleName() == "label":
        heard.append(event.source.name)
pyatspi.Registry.registerEventListener(on_name, "object:property-change:accessible-name")
game = subprocess.Popen([sys.argv[1]], stderr=subprocess.DEVNULL)

def nodes(node, depth=0):
    yield depth, node
    for child in node:
        yield from nodes(child, depth + 1)

def zarb():
    return next(a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "Zarb")

labels = []
def play():
    try:
        time.sleep(3)
        next(n for _, n in nodes(zarb()) if n.name == "PLAY!").queryAction().doAction(0)
        time.sleep(1.5)
        subprocess.run(["xdotool", "key", "F1"], check=True)
        time.sleep(12)
        for depth, node in nodes(zarb()):
            if node.getRoleName() in ("frame", "label"):
                print("  " * depth + f"{node.getRoleName()} {node.name!r}")
                labels.append(node.name)
    finally:
        pyatspi.Registry.stop()

threading.Thread(target=play).start()
pyatspi.Registry.start()
game.terminate()
print("heard:", ", ".join(heard))
read = ("Level 1" in labels and any(l.startswith("Player 1:  ") for l in labels)
        and any(l.startswith("Player 2:  ") for l in labels) and "One Player Mode" in labels)
points = any(h in ("Player 1:  1", "Player 2:  1") for h in heard)
if not (read and points):
    sys.exit("the screen reader missed the captions or the points")
PYTHON
