#!/usr/bin/env bash
# Builds the project a second time in build-sanitize/ with clang and AddressSanitizer plus
# UndefinedBehaviorSanitizer (float-to-int overflow included) and runs the whole CTest suite there.
# -fno-sanitize-recover and halt_on_error stop the test that made a report, so any report fails the
# run. The same build carries libFuzzer's coverage hooks, so the fuzz targets under fuzz/ are built
# here too (tools/run-fuzz.sh runs them) and replay their seeds as tests of the suite.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=${JOBS:-$(nproc)}
start=$(date +%s)
bash tools/configure-sanitized.sh
cmake --build build-sanitize -j "$jobs"
built=$(date +%s)
source tools/sanitizer/options.sh "$root"
cd build-sanitize
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs" --timeout 1200
echo "run-sanitized-tests: build $((built - start)) s, tests $(( $(date +%s) - built )) s"
