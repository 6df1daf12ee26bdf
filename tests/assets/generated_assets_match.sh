#!/usr/bin/env bash
# The committed pictures, icon and pointer must be exactly what their
# generators make: otherwise a generator was changed without remaking its
# output (or stopped being deterministic), and the next person to run
# make_all.sh would silently change the program's look.
#   tests/assets/generated_assets_match.sh SOURCE_DIRECTORY
set -euo pipefail
root="${1:?usage: generated_assets_match.sh SOURCE_DIRECTORY}"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

"$root/tools/assets/make_all.sh" "$scratch" >/dev/null

status=0
for name in backdrop.png close-normal.jpg close-hover.jpg close-pressed.jpg notice.ico hand.cur; do
    if ! cmp -s "$scratch/$name" "$root/assets/$name"; then
        echo "FAIL assets/$name differs from what tools/assets/make_all.sh makes now; run it and commit the result"
        status=1
    fi
done
[ "$status" = 0 ] && echo "generated_assets_match: every generated asset is up to date"
exit "$status"
