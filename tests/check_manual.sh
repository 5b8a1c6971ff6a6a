#!/bin/sh
# Usage: check_manual.sh PAGE SECTION...
# Renders a manual page as man shows it and fails on any groff warning (a line that cannot
# be broken or adjusted, a bad request) or a missing section heading.
set -e
page=$1
shift
export LANG=C.UTF-8 LC_ALL=C.UTF-8 MANWIDTH=80
warnings=$(man --warnings -l "$page" 2>&1 >/dev/null)
if [ -n "$warnings" ]; then
    echo "$warnings"
    exit 1
fi
shown=$(man -l "$page" 2>/dev/null)
for section in "$@"; do
    printf '%s\n' "$shown" | grep -qx "$section" || { echo "no section $section"; exit 1; }
done
echo "$page: renders without warnings"
