#!/usr/bin/env bash
# Configures (until that has worked once) and builds the given presets: native, win32, win64.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
[ $# -gt 0 ] || set -- native win32 win64
for preset in "$@"; do
    # (build.ninja, not the cache: a configure that failed leaves a cache)
    if [ ! -f "build/$preset/build.ninja" ]; then
        cmake --preset "$preset" >/dev/null
    fi
    cmake --build --preset "$preset"
done
