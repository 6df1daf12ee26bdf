#!/usr/bin/env bash
# Turns a UTF-8 text file of the repository into the GBK text with CRLF line
# ends that the program and Windows' Notepad expect.
#   to-gbk.sh INPUT OUTPUT
set -euo pipefail
in="${1:?usage: to-gbk.sh INPUT OUTPUT}"
out="${2:?usage: to-gbk.sh INPUT OUTPUT}"
[ -f "$in" ] || { echo "to-gbk: no such file: $in" >&2; exit 2; }
tmp="$out.tmp"
if ! iconv -f UTF-8 -t GBK "$in" > "$tmp"; then
    rm -f "$tmp"
    echo "to-gbk: $in holds text that GBK cannot encode" >&2
    exit 1
fi
sed -i 's/\r\?$/\r/' "$tmp"
mv "$tmp" "$out"
