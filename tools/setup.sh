#!/usr/bin/env bash
# Brings a Debian 12 machine up to what the builds and tests need: Debian
# packages, a deb-src entry for libjpeg-turbo's source, and libjpeg-turbo
# cross-built for both MinGW targets. Every step checks first, so running it
# again on a prepared machine costs a few seconds.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

packages=(
    cmake ninja-build g++ make dpkg-dev file zip xz-utils
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-posix
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    googletest libgtest-dev libjpeg62-turbo-dev
    clang libclang-rt-14-dev
    wine wine64 xvfb xdotool x11-utils imagemagick locales
    fonts-arphic-uming fonts-arphic-ukai
    python3 python3-pil python3-numpy
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

has_deb_src() {
    grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/
}

updated=no
if ! has_deb_src; then
    echo "setup: adding a deb-src entry for Debian 12 (needed for libjpeg-turbo's source)"
    as_root tee /etc/apt/sources.list.d/notice-deb-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    as_root apt-get update -qq
    updated=yes
fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    [ "$updated" = yes ] || as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

"$here/build-libjpeg.sh" win32
"$here/build-libjpeg.sh" win64
