#!/usr/bin/env bash
# Cross-builds libjpeg-turbo from Debian's source package as a static library
# for one MinGW target (win32 = i686, win64 = x86_64) into .cache/libjpeg/TARGET.
# Does nothing when that library is already there.
set -euo pipefail
target="${1:?usage: build-libjpeg.sh win32|win64}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cache="$root/.cache"
prefix="$cache/libjpeg/$target"

case "$target" in
    win32) triple=i686-w64-mingw32; cc=i686-w64-mingw32-gcc-win32 ;;
    win64) triple=x86_64-w64-mingw32; cc=x86_64-w64-mingw32-gcc-posix ;;
    *) echo "build-libjpeg.sh: unknown target '$target' (expected win32 or win64)" >&2; exit 2 ;;
esac

if [ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/include/jpeglib.h" ]; then
    exit 0
fi

src_parent="$cache/src"
mkdir -p "$src_parent"
src="$(find "$src_parent" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)"
if [ -z "$src" ]; then
    echo "build-libjpeg: fetching libjpeg-turbo's Debian source package"
    (cd "$src_parent" && apt-get source -qq --download-only libjpeg-turbo >/dev/null 2>&1) || {
        echo "build-libjpeg: 'apt-get source libjpeg-turbo' failed; is there a deb-src entry? (tools/setup.sh adds one)" >&2
        exit 1
    }
    dsc="$(ls "$src_parent"/libjpeg-turbo_*.dsc | head -n1)"
    (cd "$src_parent" && dpkg-source --no-check -x "$dsc" >/dev/null)
    src="$(find "$src_parent" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n1)"
fi

echo "build-libjpeg: building libjpeg-turbo for $target"
build="$cache/build-libjpeg-$target"
rm -rf "$build"
cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_SYSTEM_NAME=Windows \
    -DCMAKE_SYSTEM_PROCESSOR="${triple%%-*}" \
    -DCMAKE_C_COMPILER="$cc" \
    -DCMAKE_RC_COMPILER="$triple-windres" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
    -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF \
    -DCMAKE_POSITION_INDEPENDENT_CODE=OFF >"$build.log" 2>&1 \
  && cmake --build "$build" --target install >>"$build.log" 2>&1 || {
    echo "build-libjpeg: build failed; see $build.log" >&2
    exit 1
}
rm -rf "$build" "$build.log"
test -f "$prefix/lib/libjpeg.a"
