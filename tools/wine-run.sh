#!/usr/bin/env bash
# The one way anything in this repository runs a Windows program: the run
# command, ctest's emulator for the win64 tests, the end-to-end tests and the
# benchmarks all come through here.
#
#   wine-run.sh [--screen WxH] [--cwd DIR] PROGRAM [ARGS...]
#       Runs PROGRAM under 64-bit Wine with ANSI code page 936 and returns
#       its exit code. Inside a session (below) it uses the session's display
#       and Wine server. Otherwise, or when --screen asks for a size other
#       than the session's, it starts its own Xvfb of that size (the user's
#       display is used when there is one and no size is asked for), its own
#       Wine server, and stops both afterwards.
#   wine-run.sh --session [--screen WxH] COMMAND [ARGS...]
#       Prepares the prefix, starts Xvfb (unless a display exists and no size
#       is asked for) and a persistent Wine server with their output detached,
#       runs COMMAND with DISPLAY and NOTICE_WINE_SESSION set, then stops what
#       it started. ctest runs inside one of these.
#   wine-run.sh --prepare [--screen WxH]
#       Only creates the locale and the prefix for that screen size.
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
screen=""
cwd=""
while [ $# -gt 0 ]; do
    case "$1" in
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
    export WINELOADER="$wine64_loader"
    export WINESERVER="$wineserver64"
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
        DISPLAY= "$wine64_loader" wineboot -i >/dev/null 2>&1 </dev/null || true
        "$wineserver64" -w
        # Chinese face names are written from UTF-8 text.
        local fonts='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
        reg_add() { LC_ALL=C.UTF-8 DISPLAY= "$wine64_loader" reg add "$@" /f >/dev/null 2>&1 </dev/null; }
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

prefix_for() { echo "$wine_dir/prefix-$1"; }

# See tools/wine-desktop-keeper.c: built here, once, for the sessions.
keeper_exe="$wine_dir/desktop-keeper.exe"
build_keeper() {
    local source="$root/tools/wine-desktop-keeper.c"
    if [ ! -f "$keeper_exe" ] || [ "$source" -nt "$keeper_exe" ]; then
        mkdir -p "$wine_dir"
        x86_64-w64-mingw32-gcc -O2 -o "$keeper_exe.tmp" "$source" -luser32 ||
            die "could not build the desktop keeper (is g++-mingw-w64-x86-64 installed?)"
        mv "$keeper_exe.tmp" "$keeper_exe"
    fi
}

# Starts a persistent Wine server, boots the prefix and opens the desktop,
# all with their output sent away, so that Wine's background processes never
# hold a caller's pipe open. Needs DISPLAY.
start_server() {
    "$wineserver64" -p >/dev/null 2>&1 </dev/null
    "$wine64_loader" wineboot >/dev/null 2>&1 </dev/null || true
    build_keeper
    "$wine64_loader" "$keeper_exe" >/dev/null 2>&1 </dev/null &
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
    export NOTICE_WINE_SESSION="$size"
    export NOTICE_WINE_PREFIX="$prefix"
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
    if [ -n "${NOTICE_WINE_SESSION:-}" ] && { [ -z "$screen" ] || [ "$screen" = "$NOTICE_WINE_SESSION" ]; }; then
        wine_env "$NOTICE_WINE_PREFIX"
        exec "$wine64_loader" "$program" "$@"
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
        unset NOTICE_WINE_SESSION
        start_xvfb "$size"
    fi
    trap 'stop_server; stop_xvfb' EXIT
    trap 'exit 130' INT TERM
    start_server
    set +e
    "$wine64_loader" "$program" "$@"
    rc=$?
    set -e
    exit "$rc"
    ;;
esac
