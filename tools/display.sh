# What the scripts that play the desktop game under a virtual display share; source it from one.
#   install_missing PACKAGE...   installs with apt-get the Debian packages that are not installed
#   start_display                starts Xvfb on a free display, exports DISPLAY and sets $xvfb

install_missing() {
    local needed=() package
    for package in "$@"; do
        [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" = installed ] ||
            needed+=("$package")
    done
    if [ ${#needed[@]} -ne 0 ]; then
        apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
            --no-install-recommends "${needed[@]}"
    fi
}

start_display() {
    local display=:$((90 + RANDOM % 100))
    Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=$display
    sleep 1
}
