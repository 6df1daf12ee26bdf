#!/usr/bin/env bash
# Runs the benchmark programs of a win64 build folder inside a Wine session
# (tools/wine-run.sh --session; tools/bench.sh and ctest provide one), prints
# their figure lines, and fails unless every figure is there with numbers.
#
#   figures.sh [--smoke] BUILD-DIR
#
# --smoke: one run of each kind with tiny bodies, for ctest; the figures
# mean nothing then, only that every one of them can be measured.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/.." && pwd)"

die() { echo "figures.sh: $*" >&2; exit 1; }

smoke=no
if [ "${1:-}" = "--smoke" ]; then smoke=yes; shift; fi
[ $# -eq 1 ] || die "usage: figures.sh [--smoke] BUILD-DIR (a win64 build folder)"
build="$1"
[ -n "${NOTICE_WINE_SESSION:-}" ] || die "not inside a Wine session; run tools/bench.sh (or ctest through tools/test.sh)"

driver="$build/bench/bench_driver.exe"
painter="$build/bench/paint_bench.exe"
for file in "$driver" "$painter" "$build/bench/floor.exe" "$build/bench/bench_hook.dll" "$build/src/notice.exe"; do
    [ -f "$file" ] || die "$file is missing: build the win64 preset first (tools/build.sh win64)"
done
work="$build/bench/work"
mkdir -p "$work"

if [ "$smoke" = yes ]; then
    driver_options=(--runs 1 --warmup 0 --settle-ms 200 --idle-seconds 1 --message-runs 1 --paint-runs 1
                    --bodies 1K,4K)
    bodies=2
    paint_options=(--calls 3)
else
    driver_options=()
    bodies=3
    paint_options=()
fi

output="$work/figures.txt"
"$root/tools/wine-run.sh" "$driver" --notice "$build/src/notice.exe" --floor "$build/bench/floor.exe" \
    --hook "$build/bench/bench_hook.dll" --work "$work/runs" "${driver_options[@]}" | tr -d '\r' > "$output"
"$root/tools/wine-run.sh" "$painter" "${paint_options[@]}" | tr -d '\r' >> "$output"
cat "$output"

# Every figure, once (the first paint once per body size), as
# "NAME: notice N UNIT / floor N UNIT = RATIO [...]".
number='-?[0-9]+(\.[0-9]+)?'
missing=()
expect() {
    local name="$1" count="$2" found
    found="$(grep -cE "^$name: notice $number [^ ]+ / floor $number [^ ]+ = ($number""x|n/a) \[" "$output" || true)"
    [ "$found" -eq "$count" ] || missing+=("'$name' ($found of $count lines)")
}
expect "start-up to visible" 1
expect "peak working set" 1
expect "private bytes" 1
expect "idle CPU over [0-9]+ s" 1
expect "idle CPU over [0-9]+ s, floor with a one-second timer" 1
expect "idle CPU over [0-9]+ s, notice with no display time" 1
expect "idle messages taken off the queue" 1
expect "idle messages sent" 1
expect "first paint, [0-9]+ [KM]B body" "$bodies"
expect "PaintLayered per call" 1
expect "PaintLayered PNG decode per call" 1
expect "PaintLayered rest per call" 1
[ ${#missing[@]} -eq 0 ] || die "figure lines missing or malformed: ${missing[*]}"
