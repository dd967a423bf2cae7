#!/usr/bin/env bash
# Builds the game's .deb with cpack, unpacks it into a scratch root (nothing is installed on this
# machine) and checks what a person installing it gets: the files in their places, the package's
# fields and dependencies, a valid desktop entry and metadata, the icons, the manual pages, the
# change log and a zarb-headless that runs; then lintian, which must find no error and no warning.
#   check_deb.sh BUILD_DIR SCRATCH_DIR VERSION APP_ID
# Exit status 0 when all is well, 1 on any fault, 77 when a packaging tool is not installed.
set -euo pipefail

if [ $# -ne 4 ]; then
    echo "usage: check_deb.sh BUILD_DIR SCRATCH_DIR VERSION APP_ID" >&2
    exit 2
fi
build=$1
scratch=$2
version=$3
app_id=$4

for tool in cpack dpkg dpkg-deb dpkg-shlibdeps dpkg-parsechangelog desktop-file-validate \
    appstreamcli groff gzip od file lintian; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

faults=0
fault() {
    echo "FAIL: $*"
    faults=$((faults + 1))
}

rm -rf "$scratch"
mkdir -p "$scratch/out" "$scratch/root"

# The Maintainer is whoever builds the package. With no one named, cpack stops and says how to
# name oneself; unless the build itself was configured with a maintainer.
maintainer=
if ! grep -q '^CPACK_DEBIAN_PACKAGE_MAINTAINER:[A-Z]*=.' "$build/CMakeCache.txt"; then
    if (cd "$build" && env -u DEBEMAIL -u DEBFULLNAME cpack -G DEB -B "$scratch/nobody") \
        >"$scratch/nobody.log" 2>&1; then
        fault "cpack made a package with no maintainer named"
    elif ! grep -q DEBEMAIL "$scratch/nobody.log"; then
        cat "$scratch/nobody.log"
        fault "cpack stopped for want of a maintainer without saying how to name one"
    fi
    export DEBFULLNAME="Zarb package test" DEBEMAIL=package-test@example.org
    maintainer="$DEBFULLNAME <$DEBEMAIL>"
fi
if ! (cd "$build" && cpack -G DEB -B "$scratch/out") >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    echo "FAIL: cpack could not build the package"
    exit 1
fi
arch=$(dpkg --print-architecture)
deb=$scratch/out/zarb_${version}_${arch}.deb
if [ ! -f "$deb" ]; then
    cat "$scratch/cpack.log"
    echo "FAIL: no $(basename "$deb") among: $(ls "$scratch/out")"
    exit 1
fi
echo "built $(basename "$deb") ($(stat -c %s "$deb") bytes)"
dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root

# Exactly these files and no others: a stray install rule (a test library, a header) would show.
sizes=(16 32 48 64 128 256)
expected=(
    ./usr/games/zarb
    ./usr/games/zarb-headless
    "./usr/share/applications/$app_id.desktop"
    "./usr/share/metainfo/$app_id.metainfo.xml"
    ./usr/share/man/man6/zarb.6.gz
    ./usr/share/man/man6/zarb-headless.6.gz
    ./usr/share/doc/zarb/changelog.gz
    ./usr/share/doc/zarb/copyright
)
for size in "${sizes[@]}"; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
actual=$(cd "$root" && find . \( -type f -o -type l \) | LC_ALL=C sort)
wanted=$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)
if [ "$actual" != "$wanted" ]; then
    fault "the package's files differ from the expected ones:"
    diff <(echo "$wanted") <(echo "$actual") | sed -n 's/^[<>]/  &/p' || true
fi
for program in zarb zarb-headless; do
    [ -x "$root/usr/games/$program" ] || fault "usr/games/$program is not executable"
done
owners=$(dpkg-deb -c "$deb" | awk '{ print $2 }' | sort -u)
[ "$owners" = root/root ] || fault "files are owned by $owners, not root/root"

# The control fields. Qt's libraries come from dpkg-shlibdeps; the platform plugin and the font
# are loaded at run time, so nothing but our own list names them.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zarb ] || fault "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fault "Version is '$(field Version)', not $version"
[ "$(field Architecture)" = "$arch" ] || fault "Architecture is '$(field Architecture)'"
[ "$(field Section)" = games ] || fault "Section is '$(field Section)', not games"
if [ -n "$maintainer" ]; then
    [ "$(field Maintainer)" = "$maintainer" ] ||
        fault "Maintainer is '$(field Maintainer)', not the one building the package"
fi
[ -n "$(field Maintainer)" ] || fault "no Maintainer"
description=$(field Description)
[ "$(echo "$description" | wc -l)" -ge 2 ] || fault "Description has no long text: '$description'"
depends=$(field Depends)
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins \
    fonts-liberation2; do
    echo "$depends" | tr ',' '\n' | sed 's/^ *//' | grep -q "^$package\( \|$\)" ||
        fault "Depends lacks $package: $depends"
done
recommends=$(field Recommends)
echo "$recommends" | tr ',' '\n' | sed 's/^ *//' | grep -q '^qt6-wayland\( \|$\)' ||
    fault "Recommends lacks qt6-wayland: '$recommends'"

# The desktop entry and the metadata, as a desktop and a software centre read them.
desktop=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
desktop-file-validate "$desktop" || fault "desktop-file-validate finds faults in the desktop entry"
grep -qx 'Exec=zarb' "$desktop" || fault "the desktop entry does not start zarb"
grep -qx "Icon=$app_id" "$desktop" || fault "the desktop entry does not name the icon $app_id"
grep -qx 'Categories=Game;ArcadeGame;' "$desktop" || fault "the desktop entry's categories differ"
appstreamcli validate --pedantic --no-net "$metainfo" || fault "appstreamcli finds faults in the metadata"
appstreamcli validate-tree --no-net "$root" ||
    fault "appstreamcli finds faults in the installed tree"
newest=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)
[ "$newest" = "$version" ] || fault "the metadata's newest release is '$newest', not $version"

# Each icon is an RGBA PNG of its size, as the theme folder it sits in says.
for size in "${sizes[@]}"; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    [ -f "$png" ] || continue
    signature=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
    read -r width height < <(od -An -tu4 --endian=big -j16 -N8 "$png")
    colour_type=$(od -An -tu1 -j25 -N1 "$png" | tr -d ' ')
    [ "$signature" = 89504e470d0a1a0a ] || fault "${size}x${size} icon is not a PNG"
    [ "$width $height" = "$size $size" ] || fault "${size}x${size} icon is $width x $height"
    [ "$colour_type" = 6 ] ||
        fault "${size}x${size} icon has no alpha channel (colour type $colour_type)"
done

# The manual pages: compressed, of this version, and set by groff without a warning.
for page in zarb zarb-headless; do
    gz=$root/usr/share/man/man6/$page.6.gz
    [ -f "$gz" ] || continue
    gzip -t "$gz" || fault "$page.6.gz is not a sound gzip file"
    gzip -dc "$gz" | grep -q "^\.TH .* \"Zarb $version\"" ||
        fault "$page.6 is not for Zarb $version"
    warnings=$(gzip -dc "$gz" | LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] || fault "groff warns about $page.6: $warnings"
done

changelog=$root/usr/share/doc/zarb/changelog.gz
if [ -f "$changelog" ]; then
    gzip -dc "$changelog" >"$scratch/changelog"
    logged=$(dpkg-parsechangelog -l "$scratch/changelog" -S Version 2>&1) || logged="unreadable"
    [ "$logged" = "$version" ] || fault "the change log's newest entry is '$logged', not $version"
fi

# The unpacked zarb-headless runs a script (the serve position after PLAY!) and knows its version.
headless=$root/usr/games/zarb-headless
if [ -x "$headless" ]; then
    output=$(printf 'cmdPlay_Click\nget imgBall.Left\n' | "$headless" 2>&1) ||
        fault "the unpacked zarb-headless ended with an error"
    [ "$output" = '{"imgBall.Left":5760}' ] || fault "the unpacked zarb-headless printed: $output"
    output=$("$headless" --version 2>&1) || fault "zarb-headless --version ended with an error"
    [ "$output" = "zarb-headless $version" ] || fault "zarb-headless --version printed: $output"
fi

# Debian's own verdict on the package, its informational and pedantic notes shown too.
lintian -i -I --pedantic --fail-on error,warning "$deb" ||
    fault "lintian finds errors or warnings in the package"

if [ "$faults" -ne 0 ]; then
    echo "$faults fault(s) in $(basename "$deb")"
    exit 1
fi
echo "$(basename "$deb"): all checks passed"
echo "Depends: $depends"
