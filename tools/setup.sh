#!/usr/bin/env bash
# Brings a Debian 12 machine up to what the builds and tests need: Debian
# packages (32-bit Wine among them, for the release smoke test), a deb-src
# entry for libjpeg-turbo's source, bookworm-backports for a current
# qemu-user, and libjpeg-turbo cross-built for both MinGW targets. Every step
# checks first, so running it again on a prepared machine costs a few seconds.
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
    wine32:i386
)

# The 32-bit Wine of the release smoke test runs under qemu-i386. Bookworm's
# qemu 7.2 spends about 48 s of CPU starting each Wine process (it scans its
# page table page by page on every mmap); bookworm-backports' qemu-user 10
# starts one in a quarter of a second. Any version from 9.1 on ships the
# static emulators in qemu-user.
qemu_user_min=1:9.1

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
done
if ! installed qemu-user ||
    ! dpkg --compare-versions "$(dpkg-query -W -f='${Version}' qemu-user)" ge "$qemu_user_min"; then
    missing+=(qemu-user/bookworm-backports)
fi

has_deb_src() {
    grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/
}

has_backports() {
    grep -rqsE '^(deb .*bookworm-backports|Suites:.*bookworm-backports)' /etc/apt/sources.list /etc/apt/sources.list.d/
}

sources_changed=no
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: adding the i386 architecture (32-bit Wine)"
    as_root dpkg --add-architecture i386
    sources_changed=yes
fi
if ! has_backports; then
    echo "setup: adding bookworm-backports (qemu-user for the 32-bit smoke test)"
    as_root tee /etc/apt/sources.list.d/notice-backports.sources >/dev/null <<'SRC'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    sources_changed=yes
fi
if ! has_deb_src; then
    echo "setup: adding a deb-src entry for Debian 12 (needed for libjpeg-turbo's source)"
    as_root tee /etc/apt/sources.list.d/notice-deb-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    sources_changed=yes
fi

updated=no
if [ "$sources_changed" = yes ]; then
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
