#!/usr/bin/env bash
# Installs what the project needs, builds everything and runs every test, on all
# cores or on JOBS of them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
jobs=${JOBS:-$(nproc)}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs" --timeout 600
