#!/usr/bin/env bash
# Configures build-sanitize/: clang 14 with AddressSanitizer, UndefinedBehaviorSanitizer and
# float-cast-overflow, no recovery from any report, and libFuzzer's coverage hooks (fuzzer-no-link)
# so that the fuzz targets link against the same instrumented libraries.
set -euo pipefail
cd "$(dirname "$0")/.."
flags="-fsanitize=address,undefined,float-cast-overflow -fsanitize=fuzzer-no-link -fno-sanitize-recover=all"
flags="$flags -fno-omit-frame-pointer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" -DKV_FUZZ=libfuzzer \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined"
