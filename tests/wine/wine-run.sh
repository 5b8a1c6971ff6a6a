#!/bin/sh
# Usage: wine-run.sh PREFIX PROGRAM.exe [ARGS...]
# Runs a Windows program under Wine the way a Japanese Windows runs it: the process's
# ANSI code page is 932, so the A calls take and give code page 932 bytes. The prefix
# is made on first use, with the drives add-drives.sh gives it; a lock keeps parallel
# test runs from making it twice.
set -e
prefix=$(realpath -m "$1")
shift
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
unset DISPLAY WAYLAND_DISPLAY
# Debian's 64-bit loader, straight: the `wine` launcher only adds a nag about wine32.
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine || true)
[ -n "$wine" ] || { echo "wine-run.sh: Wine is not installed" >&2; exit 127; }
export WINELOADER="$wine"

if [ ! -f "$prefix/.ready" ]; then
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/.ready" ]; then
            "$wine" wineboot -i >"$prefix.boot.log" 2>&1 || { cat "$prefix.boot.log" >&2; exit 1; }
            "$(dirname "$0")/add-drives.sh" "$wine" "$prefix" >>"$prefix.boot.log" 2>&1 ||
                { cat "$prefix.boot.log" >&2; exit 1; }
            touch "$prefix/.ready"
        fi
    ) 9>"$prefix.lock"
fi
exec "$wine" "$@"
