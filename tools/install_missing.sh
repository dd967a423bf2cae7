# Installs the Debian packages that are missing, with apt-get, as root or through sudo. Source it:
#   install_missing PACKAGE...
# The package lists are brought up to date once, before the first install. On a machine without
# dpkg nothing is checked: what is needed is taken to be there.

package_lists_fresh=no

install_missing() {
    command -v dpkg-query >/dev/null 2>&1 || return 0
    local missing=() package
    for package in "$@"; do
        if [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" != installed ]; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    if ! command -v apt-get >/dev/null 2>&1 ||
        { [ ${#sudo[@]} -ne 0 ] && ! command -v sudo >/dev/null 2>&1; }; then
        echo "zarb: please install these packages first (as root): ${missing[*]}" >&2
        exit 1
    fi
    echo "zarb: installing ${missing[*]}"
    if [ "$package_lists_fresh" = no ]; then
        "${sudo[@]}" apt-get update -q
        package_lists_fresh=yes
    fi
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends \
        "${missing[@]}"
}
