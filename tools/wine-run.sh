#!/usr/bin/env bash
# The one way anything in this repository runs a Windows program: the run
# command, ctest's emulator for the win64 tests, the end-to-end tests and the
# benchmarks all come through here.
#
#   wine-run.sh [--arch win32] [--screen WxH] [--cwd DIR] PROGRAM [ARGS...]
#       Runs PROGRAM under 64-bit Wine (or, with --arch win32, 32-bit Wine
#       under qemu-i386, below) with ANSI code page 936 and returns its exit
#       code. Inside a session (below) it uses the session's display
#       and Wine server. Otherwise, or when --screen asks for a size other
#       than the session's, it starts its own Xvfb of that size (the user's
#       display is used when there is one and no size is asked for), its own
#       Wine server, and stops both afterwards.
#   wine-run.sh [--arch win32] --session [--screen WxH] COMMAND [ARGS...]
#       Prepares the prefix, starts Xvfb (unless a display exists and no size
#       is asked for) and a persistent Wine server with their output detached,
#       runs COMMAND with DISPLAY and NOTICE_WINE_SESSION set, then stops what
#       it started. ctest runs inside one of these. A 32-bit session sets
#       NOTICE_WINE32_SESSION instead and may run inside a 64-bit one, on its
#       display.
#   wine-run.sh [--arch win32] --prepare [--screen WxH]
#       Only creates the locale and the prefix for that screen size.
#
# --arch win32 runs the 32-bit Wine loader under qemu-i386 through a
# binfmt_misc entry that it mounts and registers when missing (as root, or
# through sudo), with a 32-bit prefix of its own (prefix32-WxH) and the 64-bit
# Wine server. It exits with 77 when the kernel offers no binfmt_misc.
#
# Environment: NOTICE_WINE_DIR (default: build/wine in the repository) holds
# the locale and the prefixes, one per screen size, because a Wine server
# keeps the screen size of the first display it saw.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
wine_dir="${NOTICE_WINE_DIR:-$root/build/wine}"
default_screen=1024x768

die() { echo "wine-run: $*" >&2; exit 125; }

mode=run
arch=win64
screen=""
cwd=""
while [ $# -gt 0 ]; do
    case "$1" in
        --arch) [ $# -ge 2 ] || die "--arch needs win64 or win32"; arch="$2"; shift 2 ;;
        --session) mode=session; shift ;;
        --prepare) mode=prepare; shift ;;
        --screen) [ $# -ge 2 ] || die "--screen needs WxH"; screen="$2"; shift 2 ;;
        --cwd) [ $# -ge 2 ] || die "--cwd needs a folder"; cwd="$2"; shift 2 ;;
        --) shift; break ;;
        -*) die "unknown option $1" ;;
        *) break ;;
    esac
done
if [ -n "$screen" ] && ! [[ "$screen" =~ ^[0-9]+x[0-9]+$ ]]; then
    die "screen size '$screen' is not of the form WIDTHxHEIGHT"
fi

wine64_loader=/usr/lib/wine/wine64
wineserver64=/usr/lib/wine/wineserver64
[ -x "$wine64_loader" ] || die "64-bit Wine is not installed (run tools/setup.sh)"

# What differs between the two kinds of run. The 64-bit server serves 32-bit
# Wine processes as well, and runs natively.
case "$arch" in
win64)
    loader="$wine64_loader"
    prefix_stem=prefix
    keeper_exe="$wine_dir/desktop-keeper.exe"
    keeper_cc=x86_64-w64-mingw32-gcc
    session_var=NOTICE_WINE_SESSION
    session_prefix_var=NOTICE_WINE_PREFIX
    ;;
win32)
    loader="$wine_dir/loader32/lib/wine/wine"
    prefix_stem=prefix32
    keeper_exe="$wine_dir/desktop-keeper32.exe"
    keeper_cc=i686-w64-mingw32-gcc
    session_var=NOTICE_WINE32_SESSION
    session_prefix_var=NOTICE_WINE32_PREFIX
    ;;
*) die "unknown architecture '$arch' (win64 or win32)" ;;
esac

# --- locale: the ANSI code page follows LC_ALL, but command-line bytes and
# file names only come out right with a real glibc locale of that name.
locale_dir="$wine_dir/locale"
prepare_locale() {
    if [ ! -d "$locale_dir/zh_CN.GBK" ]; then
        mkdir -p "$locale_dir"
        localedef -i zh_CN -f GBK "$locale_dir/zh_CN.GBK" 2>/dev/null ||
            [ -d "$locale_dir/zh_CN.GBK" ] || die "localedef could not build zh_CN.GBK"
    fi
}

wine_env() {
    export WINEPREFIX="$1"
    export WINEDEBUG=-all
    export WINELOADER="$loader"
    export WINESERVER="$wineserver64"
    # A new prefix takes the server's word size unless told otherwise; a
    # 64-bit run inside a 32-bit session must not inherit the 32-bit word.
    if [ "$arch" = win32 ]; then export WINEARCH=win32; else unset WINEARCH; fi
    # No Mono or Gecko install dialogs, no menu entries on the host.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    export LOCPATH="$locale_dir"
    # (bash itself cannot load this locale and would say so)
    export LC_ALL=zh_CN.GBK 2>/dev/null
    unset LANG LANGUAGE
}

# --- Xvfb, started only when needed and stopped by its own process id.
xvfb_pid=""
start_xvfb() {
    local size="$1" n
    command -v Xvfb >/dev/null || die "Xvfb is not installed (run tools/setup.sh)"
    for n in $(seq 90 189); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 "${size}x24" -br -nolisten tcp -noreset >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 1 100); do
            [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
            kill -0 "$xvfb_pid" 2>/dev/null || break
            sleep 0.05
        done
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    done
    die "could not start Xvfb"
}
stop_xvfb() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    fi
}

# --- the prefix: booted once per screen size, with the settings the program
# and the tests need.
prepare_prefix() {
    local prefix="$1"
    [ -f "$prefix/.notice-ready" ] && return 0
    mkdir -p "$prefix"
    (
        flock 9
        [ -f "$prefix/.notice-ready" ] && exit 0
        wine_env "$prefix"
        # Booting needs no display; keep its helpers off every output pipe.
        DISPLAY= "$loader" wineboot -i >/dev/null 2>&1 </dev/null || true
        "$wineserver64" -w
        # Chinese face names are written from UTF-8 text.
        local fonts='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
        reg_add() { LC_ALL=C.UTF-8 DISPLAY= "$loader" reg add "$@" /f >/dev/null 2>&1 </dev/null; }
        reg_add "$fonts" /v "宋体" /t REG_SZ /d "AR PL UMing CN"
        reg_add "$fonts" /v "SimSun" /t REG_SZ /d "AR PL UMing CN"
        reg_add "$fonts" /v "新宋体" /t REG_SZ /d "AR PL UMing CN"
        reg_add "$fonts" /v "楷体_GB2312" /t REG_SZ /d "AR PL UKai CN"
        reg_add "$fonts" /v "楷体" /t REG_SZ /d "AR PL UKai CN"
        reg_add "$fonts" /v "KaiTi_GB2312" /t REG_SZ /d "AR PL UKai CN"
        # Without a window manager, Wine waits 2 s for one every time a
        # managed window is hidden; unmanaged windows are placed by Wine itself.
        reg_add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
        "$wineserver64" -w
        touch "$prefix/.notice-ready"
    ) 9>"$prefix.lock"
}

# --- 32-bit Wine under qemu-i386. The kernel hands an ELF file to qemu
# through a binfmt_misc entry. The entry here matches only a copy of Wine's
# 32-bit loader that carries a mark in its ELF identification padding (bytes
# 9 to 15, which the kernel, qemu and ld.so ignore): an entry for every i386
# program would also catch the 32-bit set-up that a 64-bit prefix runs when it
# boots (1 min 47 s instead of 15 s, measured), and on a kernel that runs
# i386 programs itself it would move them all under emulation. So nothing but
# these runs changes. The copy sits in a tree shaped like /usr/lib, so it
# finds ntdll.so and wine.inf by the same relative paths as the original.
wine32_loader=/usr/lib/wine/wine
qemu_i386=/usr/bin/qemu-i386
binfmt_dir=/proc/sys/fs/binfmt_misc
binfmt_name=notice-wine32
# ELF, 32-bit, little-endian, version 1, any OS ABI, ABI version 0, then
# the padding, then executable or shared object (2 or 3), i386; in hex.
elf_start=7f454c460101010000
elf_end=02000300
elf_padding=00000000000000
binfmt_mark=6e6f7469636500                      # "notice\0"
binfmt_magic=$elf_start$binfmt_mark$elf_end
binfmt_mask=ffffffffffffff00fffffffffffffffffeffffff

as_root() {
    if [ "$(id -u)" = 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo -n "$@"
    else
        die "$* needs root (or sudo)"
    fi
}

# \x escapes of a hex text, as binfmt_misc's register file reads them.
hex_escaped() { sed 's/../\\x&/g' <<<"$1"; }

prepare_binfmt() {
    local entry="$binfmt_dir/$binfmt_name" wanted
    if [ ! -e "$binfmt_dir/register" ]; then
        if ! grep -qw binfmt_misc /proc/filesystems; then
            as_root modprobe binfmt_misc >/dev/null 2>&1 || true
        fi
        if ! grep -qw binfmt_misc /proc/filesystems; then
            echo "wine-run: this kernel offers no binfmt_misc, so 32-bit Wine cannot be run under qemu-i386 here" >&2
            exit 77
        fi
        as_root mount -t binfmt_misc binfmt_misc "$binfmt_dir" ||
            die "could not mount binfmt_misc on $binfmt_dir"
    fi
    wanted="$(printf 'enabled\ninterpreter %s\nflags: F\noffset 0\nmagic %s\nmask %s' \
        "$qemu_i386" "$binfmt_magic" "$binfmt_mask")"
    [ -e "$entry" ] && [ "$(cat "$entry")" = "$wanted" ] && return 0
    # Registering a name twice fails: an old or disabled entry goes first.
    if [ -e "$entry" ]; then
        echo -1 | as_root tee "$entry" >/dev/null || die "could not remove the old $entry"
    fi
    # F: qemu is opened now, so the entry works whatever the run's root is.
    # (A run from another checkout may register it at the same moment; then
    # this write fails and the entry is as wanted all the same.)
    printf ':%s:M::%s:%s:%s:F' "$binfmt_name" "$(hex_escaped "$binfmt_magic")" \
        "$(hex_escaped "$binfmt_mask")" "$qemu_i386" | as_root tee "$binfmt_dir/register" >/dev/null 2>&1 || true
    [ "$(cat "$entry" 2>/dev/null)" = "$wanted" ] ||
        die "could not register $binfmt_name in $binfmt_dir: $(cat "$entry" 2>&1 | tr '\n' ' ')"
}

prepare_loader32() {
    local tree="$wine_dir/loader32" copy
    [ "$(head -c 20 "$wine32_loader" | od -An -tx1 | tr -d ' \n')" = "$elf_start$elf_padding$elf_end" ] ||
        die "$wine32_loader is not the unmarked i386 ELF executable expected"
    mkdir -p "$tree/lib/wine" "$tree/lib/i386-linux-gnu" "$tree/share"
    ln -sfn /usr/lib/i386-linux-gnu/wine "$tree/lib/i386-linux-gnu/wine"
    ln -sfn /usr/share/wine "$tree/share/wine"
    copy="$loader.new.$$"
    cp "$wine32_loader" "$copy"
    # shellcheck disable=SC2059  # the format is the mark's bytes
    printf "$(hex_escaped "$binfmt_mark")" | dd of="$copy" bs=1 seek=9 conv=notrunc status=none
    if cmp -s "$copy" "$loader"; then rm -f "$copy"; else mv -f "$copy" "$loader"; fi
}

prepare_emulation() {
    [ -x "$wine32_loader" ] || die "32-bit Wine is not installed (run tools/setup.sh)"
    [ -x "$qemu_i386" ] || die "$qemu_i386 is missing (run tools/setup.sh)"
    mkdir -p "$wine_dir"
    (
        flock 9
        prepare_binfmt
        prepare_loader32
    ) 9>"$wine_dir/loader32.lock"
    local version
    version="$("$loader" --version 2>&1)" ||
        die "the 32-bit Wine loader does not start under qemu-i386: $version"
}

prefix_for() { echo "$wine_dir/$prefix_stem-$1"; }

# See tools/wine-desktop-keeper.c: built here, once, for the sessions.
build_keeper() {
    local source="$root/tools/wine-desktop-keeper.c"
    if [ ! -f "$keeper_exe" ] || [ "$source" -nt "$keeper_exe" ]; then
        mkdir -p "$wine_dir"
        "$keeper_cc" -O2 -o "$keeper_exe.tmp" "$source" -luser32 ||
            die "could not build the desktop keeper (is $keeper_cc installed?)"
        mv "$keeper_exe.tmp" "$keeper_exe"
    fi
}

# Starts a persistent Wine server, boots the prefix and opens the desktop,
# all with their output sent away, so that Wine's background processes never
# hold a caller's pipe open. Needs DISPLAY.
start_server() {
    "$wineserver64" -p >/dev/null 2>&1 </dev/null
    "$loader" wineboot >/dev/null 2>&1 </dev/null || true
    build_keeper
    "$loader" "$keeper_exe" >/dev/null 2>&1 </dev/null &
}
stop_server() {
    "$wineserver64" -k >/dev/null 2>&1 || true
    "$wineserver64" -w >/dev/null 2>&1 || true
}

# Wine will not start a program named by a relative path without ".exe".
program_name() {
    local p="$1"
    case "$p" in
        *.exe|*.EXE) ;;
        */*) [ -f "$p" ] || [ ! -f "$p.exe" ] || p="$p.exe" ;;
    esac
    echo "$p"
}

prepare_locale
if [ "$arch" = win32 ]; then prepare_emulation; fi

case "$mode" in
prepare)
    prepare_prefix "$(prefix_for "${screen:-$default_screen}")"
    exit 0
    ;;

session)
    [ $# -gt 0 ] || die "--session needs a command"
    size="${screen:-$default_screen}"
    prefix="$(prefix_for "$size")"
    prepare_prefix "$prefix"
    wine_env "$prefix"
    if [ -n "$screen" ] || [ -z "${DISPLAY:-}" ]; then
        start_xvfb "$size"
    fi
    export "$session_var=$size"
    export "$session_prefix_var=$prefix"
    trap 'stop_server; stop_xvfb' EXIT
    trap 'exit 130' INT TERM
    start_server
    set +e
    "$@"
    rc=$?
    set -e
    exit "$rc"
    ;;

run)
    [ $# -gt 0 ] || die "no program given"
    program="$(program_name "$1")"; shift
    [ -e "$program" ] || die "no such program: $program"
    if [ -n "$cwd" ]; then
        cd "$cwd" || die "cannot enter $cwd"
    fi
    session="${!session_var:-}"
    if [ -n "$session" ] && { [ -z "$screen" ] || [ "$screen" = "$session" ]; }; then
        wine_env "${!session_prefix_var}"
        exec "$loader" "$program" "$@"
    fi
    # A session of our own, for this one program. Programs of the same screen
    # size take turns on their prefix, since each has a server of its own.
    size="${screen:-$default_screen}"
    prefix="$(prefix_for "$size")"
    prepare_prefix "$prefix"
    exec 8>"$prefix.run.lock"
    flock 8
    wine_env "$prefix"
    if [ -n "$screen" ] || [ -z "${DISPLAY:-}" ]; then
        unset "$session_var"
        start_xvfb "$size"
    fi
    trap 'stop_server; stop_xvfb' EXIT
    trap 'exit 130' INT TERM
    start_server
    set +e
    "$loader" "$program" "$@"
    rc=$?
    set -e
    exit "$rc"
    ;;
esac
