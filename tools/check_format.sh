#!/usr/bin/env bash
# Fails when a tracked C++ source differs from what clang-format makes of it, and names each such
# file; `clang-format -i FILE` mends it. Run from anywhere inside the work tree.
set -euo pipefail
cd "$(git -C "$(dirname "$0")" rev-parse --show-toplevel)"
mapfile -t sources < <(git ls-files -- '*.cpp' '*.h')
unformatted=()
for source in "${sources[@]}"; do
    if ! clang-format --dry-run --Werror "$source" >/dev/null 2>&1; then
        unformatted+=("$source")
    fi
done
if [ ${#unformatted[@]} -ne 0 ]; then
    echo "zarb: these sources are not formatted as .clang-format asks (clang-format -i FILE):" >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    exit 1
fi
echo "zarb: all ${#sources[@]} C++ sources are formatted"
