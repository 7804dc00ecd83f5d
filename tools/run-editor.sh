#!/usr/bin/env bash
# Installs what the project needs, builds the editor on all cores and starts it.
# Without a display it runs under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target mapeditor
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a build/app/mapeditor "$@"
fi
exec build/app/mapeditor "$@"
