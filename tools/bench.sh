#!/usr/bin/env bash
# The benchmark command: installs what is missing, builds the 64-bit build
# and measures notice.exe against the floor program (bench/floor.cpp) under
# Wine on a private Xvfb screen, printing one line per figure, notice / floor
# (see docs/performance.md). It takes about eight minutes; nothing else should
# run meanwhile if the figures are to be compared with earlier ones.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

machine() {
    local cpu cores
    cpu="$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)"
    cores="$(nproc)"
    echo "bench: $(date '+%Y-%m-%d %H:%M %Z'), ${cpu:-unknown CPU}, $cores cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
}

if [ "${1:-}" = "--inside-session" ]; then
    machine
    "$root/bench/figures.sh" "$root/build/win64"
    echo "bench: done, load average $(cut -d' ' -f1-3 /proc/loadavg)"
    exit 0
fi
[ $# -eq 0 ] || { echo "usage: tools/bench.sh" >&2; exit 2; }

"$root/tools/setup.sh"
# (grep finding nothing to print is no failure; a failed build is)
quiet() { grep -vE '^\[[0-9]+/[0-9]+\] ' || true; }
"$root/tools/build.sh" win64 | quiet
# Measured on the runner's own Xvfb, never on the developer's display.
unset DISPLAY
exec "$root/tools/wine-run.sh" --session "$0" --inside-session
