#!/usr/bin/env bash
# Remakes every generated picture, the icon and the pointer, then checks them.
#   tools/assets/make_all.sh [output-directory]      (default: assets/)
# The generators are seeded, so on an unchanged tree this rewrites the
# committed files byte for byte. Debian's Python is used on purpose: the
# generators need its python3-pil and python3-numpy, which another python3
# earlier on PATH would not see.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
python=/usr/bin/python3
out="${1:-$root/assets}"

if [ ! -x "$python" ]; then
    echo "make_all: $python not found; install Debian's python3 (bash tools/setup.sh)" >&2
    exit 2
fi
if ! "$python" -c 'import numpy, PIL.ImageCms' 2>/dev/null; then
    echo "make_all: $python lacks numpy or Pillow; install python3-numpy and python3-pil (bash tools/setup.sh)" >&2
    exit 2
fi
mkdir -p "$out"

"$python" "$here/make_backdrop.py" "$out/backdrop.png"
"$python" "$here/make_close_buttons.py" "$out"
"$python" "$here/make_icon.py" "$out/notice.ico"
"$python" "$here/make_hand_cursor.py" "$out/hand.cur"
"$python" "$root/tests/assets/check_assets.py" "$out"
