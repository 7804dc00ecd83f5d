#!/usr/bin/env bash
# Installs what the project needs, builds the editor on all cores and starts it
# with the sample map (or with the workspace files given). Without a display it
# runs under a virtual X server (xvfb-run).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target mapeditor
args=("$@")
if [ ${#args[@]} -eq 0 ]; then args=(build/app/sample/Sample.kwz); fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x900x24" build/app/mapeditor "${args[@]}"
fi
exec build/app/mapeditor "${args[@]}"
