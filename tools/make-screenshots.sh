#!/usr/bin/env bash
# Remakes the screenshots in docs/screenshots: the announcement as notice.exe
# (the 64-bit build) shows it under Wine on a 1024 x 768 Xvfb screen, cut to
# the scroll. Bare Xvfb has no compositor, so the scroll's translucency shows
# as if over black.
#   make-screenshots.sh            (builds win64 first)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/docs/screenshots"

if [ "${1:-}" != "--inside-session" ]; then
    "$root/tools/build.sh" win64 >/dev/null
    unset DISPLAY
    exec "$root/tools/wine-run.sh" --session "$0" --inside-session
fi

# The session's GBK locale would make bash read this UTF-8 script's Chinese
# texts as GBK, where a second byte can be a backslash; the runner sets the
# locale Wine needs by itself.
export LC_ALL=C.UTF-8
command -v import >/dev/null || { echo "make-screenshots: ImageMagick's import is missing (run tools/setup.sh)" >&2; exit 1; }
work="$(mktemp -d)"
trap "rm -rf \"$work\"" EXIT
mkdir -p "$out"

# shot NAME CONFIG-UTF8 [NOTICE-UTF8]
shot() {
    local name="$1" config="$2" body="${3:-}" folder="$work/$1"
    mkdir -p "$folder"
    cp "$root/build/win64/src/notice.exe" "$folder/"
    printf '%s\n' "$config" > "$folder/config.utf8"
    "$root/tools/to-gbk.sh" "$folder/config.utf8" "$folder/config.ini"
    if [ -n "$body" ]; then
        printf '%s\n' "$body" > "$folder/notice.utf8"
        "$root/tools/to-gbk.sh" "$folder/notice.utf8" "$folder/notice.txt"
    fi
    "$root/tools/wine-run.sh" "$folder/notice.exe" &
    local program=$!
    sleep 2
    import -display "$DISPLAY" -window root -crop 520x670+252+49 +repage "$out/$name.png"
    xdotool key Escape
    wait "$program"
    echo "make-screenshots: $out/$name.png"
}

sample_body="$(iconv -f GBK -t UTF-8 "$root/build/win64/sample/notice.txt" | tr -d '\r')"

shot scroll "[主配置]
存在时间=0
程序标题="

shot default "$(iconv -f GBK -t UTF-8 "$root/build/win64/sample/config.ini" | tr -d '\r' |
    sed 's/^存在时间=.*/存在时间=0/')" "$sample_body"

shot styled "[主配置]
存在时间=0
程序标题=系统维护通知
显示链接=是
链接显示=查看详细安排
[标题矩形]
边框类型=6
[正文矩形]
边框类型=5
[标题字体]
颜色=红色
加粗=是
[正文字体]
颜色=蓝色
大小=11
[链接字体]
颜色=紫色
下划线=是
大小=11" "$sample_body"
