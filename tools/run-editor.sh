#!/usr/bin/env bash
# Installs what the project needs (only what is missing), builds the editor and
# starts it with the sample map (or with the workspace files given). Without a
# display it runs under a virtual X server (xvfb-run), which shows nothing here.
# JOBS limits the build's parallel jobs (default: all cores).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh --quiet
jobs=${JOBS:-$(nproc)}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs" --target mapeditor
args=("$@")
if [ ${#args[@]} -eq 0 ]; then args=(build/app/sample/Sample.kwz); fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<'HINT'
run-editor: there is no display here, so the editor starts on a hidden virtual X
server (xvfb-run) and nothing appears on this screen. Stop it with Ctrl+C.
To see it, run this command in a desktop session, or take a picture of it with
  bash tools/screenshot-editor.sh
HINT
  exec xvfb-run -a -s "-screen 0 1280x900x24" build/app/mapeditor "${args[@]}"
fi
exec build/app/mapeditor "${args[@]}"
