# What the scripts that play the desktop game under a virtual display share; source it from one.
#   install_missing PACKAGE...   installs the Debian packages that are missing
#   start_display                starts Xvfb on a free display, exports DISPLAY and sets $xvfb

source "$(dirname "${BASH_SOURCE[0]}")/install_missing.sh"

start_display() {
    local display=:$((90 + RANDOM % 100))
    Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=$display
    sleep 1
}
