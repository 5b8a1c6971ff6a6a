#!/bin/sh
# Usage: wine-run.sh [--display] PREFIX PROGRAM.exe [ARGS...]
# Runs a Windows program under Wine the way a Japanese Windows runs it: the process's
# ANSI code page is 932, so the A calls take and give code page 932 bytes. The prefix
# is made on first use, with the settings and drives setup-prefix.sh gives it. A lock keeps
# parallel test runs from making it, or starting its server, twice; it is never passed on
# to the Wine programs, which outlive the block and would hold it.
# With --display the program shows its windows on $DISPLAY, in a prefix of its own set up for
# that (setup-prefix.sh's "window"); without, there is no display and windows are drawn by
# Wine's null driver.
set -e
mode=
if [ "$1" = --display ]; then
    mode=window
    shift
fi
prefix=$(realpath -m "$1")
shift
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
# No .NET or Gecko downloads; and no menu entries on the Linux desktop for the shortcuts a
# Windows installer makes (Wine's menu builder writes them into the home folder).
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
[ -n "$mode" ] || unset DISPLAY
unset WAYLAND_DISPLAY
# Debian's 64-bit loader, straight: the `wine` launcher only adds a nag about wine32.
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine || true)
[ -n "$wine" ] || { echo "wine-run.sh: Wine is not installed" >&2; exit 127; }
export WINELOADER="$wine"

if [ ! -f "$prefix/.ready-3" ]; then
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/.ready-3" ]; then
            "$wine" wineboot -i >"$prefix.boot.log" 2>&1 9>&- || { cat "$prefix.boot.log" >&2; exit 1; }
            "$(dirname "$0")/setup-prefix.sh" "$wine" "$prefix" $mode >>"$prefix.boot.log" 2>&1 9>&- ||
                { cat "$prefix.boot.log" >&2; exit 1; }
            touch "$prefix/.ready-3"
        fi
    ) 9>"$prefix.lock"
fi
# One server for the whole test run: without it every program starts a fresh one, with the
# prefix's services, which costs seconds per test. It leaves a minute after the last program.
# A fresh server gets its services from a wineboot whose output goes nowhere: services
# started by the test program would inherit its output and keep the caller's pipe open
# until the server leaves.
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver
(
    flock 9
    if "$wineserver" -p60 2>/dev/null 9>&-; then
        "$wine" wineboot </dev/null >/dev/null 2>&1 9>&- || true
    fi
) 9>"$prefix.lock"
exec "$wine" "$@"
