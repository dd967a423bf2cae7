#!/usr/bin/env bash
# Sets Zarb up on a Debian machine and then plays it or tests it:
#   bash setup.sh play    installs the missing packages, builds and starts the game
#   bash setup.sh test    installs the missing packages, builds and runs every test
#   bash setup.sh build   installs the missing packages and builds
#   bash setup.sh web     installs the missing packages and builds the web page into build-web/
# Packages that are already installed are skipped; apt-get runs only when one is missing.
set -euo pipefail
cd "$(dirname "$0")"

what=${1:-}
case $what in
    play | test | build | web) ;;
    *)
        echo "usage: bash setup.sh play|test|build|web" >&2
        exit 2
        ;;
esac

build_dir=${ZARB_BUILD_DIR:-build}
jobs=$(nproc 2>/dev/null || echo 2)

# What the game needs to build and run, then what its tests and benchmarks add.
# qt6-wayland lets the game open as a Wayland window of its own on a Wayland desktop.
packages=(cmake make g++ qt6-base-dev qt6-qpa-plugins qt6-wayland libgl-dev fonts-liberation2
    fonts-dejavu-core)
# The web page needs only the WebAssembly compiler; its tests play it in Chromium, driven from
# Node.js (the machine's own, or Debian's).
web_packages=(emscripten)
web_test_packages=(emscripten chromium fonts-liberation2)
command -v npm >/dev/null 2>&1 || web_test_packages+=(nodejs npm)
if [ "$what" = web ]; then
    packages=("${web_packages[@]}")
elif [ "$what" != play ]; then
    # Test frameworks and the JSON reader; Debian's tools that build and check the .deb and the
    # licence of every file; clang for libFuzzer and clang-format for the format check; a
    # headless Wayland compositor to open the game in.
    packages+=(libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
        desktop-file-utils appstream dpkg-dev groff-base file lintian reuse git clang clang-format
        weston)
fi

source tools/install_missing.sh

install_missing "${packages[@]}"
if [ "$what" = test ] && command -v dpkg-query >/dev/null 2>&1; then
    # libFuzzer's runtime comes with clang's own version number.
    install_missing "libclang-rt-$(clang -dumpversion | cut -d. -f1)-dev"
fi

# The sources are formatted as .clang-format says: an unformatted file fails the tests at once.
if [ "$what" = test ] && git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    bash tools/check_format.sh
fi

# The web page: the rules compiled to WebAssembly, beside a page that draws them.
web_dir=${ZARB_WEB_DIR:-build-web}
build_web() {
    bash web/build.sh "$web_dir"
    echo "zarb: the web page is in $web_dir/; serve it with"
    echo "  python3 -m http.server -d $web_dir"
    echo "and play it at http://localhost:8000/"
}
if [ "$what" = web ]; then
    build_web
    exit 0
fi

[ "$what" = play ] && tests=OFF || tests=ON
# Our own builds treat every warning as an error; a distribution's build leaves that off.
cmake -S . -B "$build_dir" -DZARB_WERROR=ON -DZARB_DESKTOP=ON -DBUILD_TESTING=$tests \
    -DZARB_BENCHMARKS=$tests -DZARB_ASSERTIONS=$tests
cmake --build "$build_dir" -j "$jobs"

case $what in
    play)
        exec "$build_dir/forms/zarb"
        ;;
    test)
        # The windows are tested on Qt's offscreen platform: no display is needed.
        (cd "$build_dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
        # Everything once more under AddressSanitizer, LeakSanitizer and
        # UndefinedBehaviorSanitizer, the windows included: any report fails the run.
        sanitize_dir=${build_dir}-sanitize
        cmake -S . -B "$sanitize_dir" -DZARB_WERROR=ON -DZARB_SANITIZE=ON -DZARB_ASSERTIONS=ON \
            -DZARB_DESKTOP=ON -DZARB_BENCHMARKS=OFF
        cmake --build "$sanitize_dir" -j "$jobs"
        (cd "$sanitize_dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")
        # libFuzzer on zarb-headless's whole script runner for 30 seconds, built with clang.
        fuzzer_dir=${build_dir}-fuzzer
        CC=clang CXX=clang++ cmake -S . -B "$fuzzer_dir" -DZARB_WERROR=ON -DZARB_FUZZER=ON \
            -DZARB_ASSERTIONS=ON -DZARB_DESKTOP=OFF -DZARB_BENCHMARKS=OFF
        cmake --build "$fuzzer_dir" -j "$jobs" --target zarb-fuzz-scripts
        (cd "$fuzzer_dir" && ctest --output-on-failure -R libfuzzer)
        # Last, headless Chromium plays the web page, and holds its start field against the
        # desktop's (built above, in $build_dir).
        install_missing "${web_test_packages[@]}"
        build_web
        modules=tests/web/node_modules
        if [ ! -d $modules ] || [ tests/web/package-lock.json -nt $modules ]; then
            (cd tests/web && npm ci --no-audit --no-fund)
        fi
        ZARB_WEB_DIR=$(cd "$web_dir" && pwd) \
            ZARB_FIELD_SHOT=$(cd "$build_dir" && pwd)/tests/web/zarb_field_shot \
            bash -c 'cd tests/web && node --test'
        ;;
esac
