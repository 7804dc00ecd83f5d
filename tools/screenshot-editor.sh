#!/usr/bin/env bash
# Takes a screenshot of the editor showing the sample map on a virtual X server:
#   bash tools/screenshot-editor.sh [OUT.png] [SECONDS]
# Builds the editor, starts it on its own Xvfb display, waits SECONDS (default 8:
# the splash screen alone shows for 4), saves the screen as OUT.png (default
# build/editor-screenshot.png), then ends the editor and the X server.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-build/editor-screenshot.png}"
wait_s="${2:-8}"
bash tools/install-deps.sh >/dev/null
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target mapeditor GrabScreen >/dev/null

display=":$((90 + RANDOM % 400))"
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
editor_pid=""
cleanup() {
  [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT
sleep 1
DISPLAY="$display" QT_QPA_PLATFORM=xcb build/app/mapeditor build/app/sample/Sample.kwz &
editor_pid=$!
sleep "$wait_s"
DISPLAY="$display" QT_QPA_PLATFORM=xcb build/platform/testing/GrabScreen "$out"
echo "screenshot: $out"
