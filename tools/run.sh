#!/usr/bin/env bash
# The run command: installs what is missing, builds the program and shows the
# announcement from the shipped sample config.ini and notice.txt under Wine.
# With a display it appears there; without one it runs on a private Xvfb
# screen and a screenshot is saved (the path is printed).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

if [ "${1:-}" = "--inside-session" ]; then
    # Runs inside the runner's session: start, photograph, wait for the end.
    folder="$2"
    shot="$folder/screenshot.png"
    "$root/tools/wine-run.sh" "$folder/notice.exe" &
    program=$!
    sleep "${NOTICE_SCREENSHOT_DELAY:-3}"
    if import -display "$DISPLAY" -window root "$shot" 2>/dev/null; then
        echo "run: screenshot saved to $shot"
    else
        echo "run: could not take a screenshot" >&2
    fi
    set +e
    wait "$program"
    rc=$?
    echo "run: notice.exe ended with exit code $rc"
    exit "$rc"
fi

"$root/tools/setup.sh"
"$root/tools/build.sh" win64 | grep -vE '^\[[0-9]+/[0-9]+\] ' || true

folder="$root/build/run"
mkdir -p "$folder"
cp build/win64/src/notice.exe build/win64/sample/config.ini build/win64/sample/notice.txt "$folder/"
echo "run: starting $folder/notice.exe with the sample config.ini and notice.txt"

if [ -n "${DISPLAY:-}" ]; then
    exec "$root/tools/wine-run.sh" "$folder/notice.exe"
fi
exec "$root/tools/wine-run.sh" --session "$0" --inside-session "$folder"
