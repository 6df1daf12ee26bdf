#!/usr/bin/env bash
# The test command: installs what is missing, builds all three builds and
# runs every test (native, Win32 under Wine, end-to-end, the release checks
# with the 32-bit smoke run) in one ctest run, inside one Wine session with
# its own Xvfb.
# Extra arguments go to ctest (for example -R unit).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

"$root/tools/setup.sh"
# (grep finding nothing to print is no failure; a failed build is)
quiet() { grep -vE '^\[[0-9]+/[0-9]+\] ' || true; }
"$root/tools/build.sh" native win32 win64 | quiet
# The release smoke test runs the notice.exe packed into the dist zip.
cmake --build --preset win32 --target dist | quiet

# One ctest run over the three build trees, so one summary line ends it.
cat > build/CTestTestfile.cmake <<'CTEST'
subdirs("native")
subdirs("win32")
subdirs("win64")
CTEST

# Tests are never run against the developer's own display.
unset DISPLAY
exec "$root/tools/wine-run.sh" --session \
    ctest --test-dir "$root/build" --output-on-failure --timeout 600 -j2 "$@"
