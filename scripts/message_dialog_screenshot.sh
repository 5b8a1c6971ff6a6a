#!/bin/sh
# Shows the program's question under Xvfb and captures the screen.
# Usage: scripts/message_dialog_screenshot.sh <build dir> [display number]
set -eu
build=${1:?build directory}
display=:${2:-57}
cmake --build "$build" --target message_dialog_demo
Xvfb "$display" -noreset -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb' EXIT
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb "$build/dialogs/qt/message_dialog_demo" &
demo=$!
sleep 2
DISPLAY=$display import -window root "$build/question.png"
DISPLAY=$display xdotool key Escape 2>/dev/null || kill $demo
wait $demo || true
echo "$build/question.png"
