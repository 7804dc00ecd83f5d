#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer (in build-sanitize/, with AddressSanitizer and
# UndefinedBehaviorSanitizer, see tools/configure-sanitized.sh) and runs each for the given number of
# seconds, at most FUZZ_JOBS (default 4) at once, starting from the committed seeds. New inputs go to
# build-sanitize/fuzz-corpus/<target>/, findings to build-sanitize/fuzz-findings/<target>/; the
# script prints each target's executions and findings, and exits non-zero when any target found one.
# Usage: tools/run-fuzz.sh <seconds> [target...]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:?usage: tools/run-fuzz.sh <seconds> [target...]}
shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(rect_record style_record label_record units_record text_record image_record index_record
           field_value layer_file workspace_file geometry_arc geometry_line geometry_polygon geometry_polyline
           geometry_polypolygon geometry_polypolyline geometry_advpolygon geometry_polyadvpolygon geometry_chord
           geometry_pie geometry_spline nmea_sentence nmea_field_list logger_reply gps_log)
fi
parallel=${FUZZ_JOBS:-4}
bash tools/configure-sanitized.sh > /dev/null
cmake --build build-sanitize -j "${JOBS:-$(nproc)}" --target "${targets[@]/#/fuzz_}"
source tools/sanitizer/options.sh "$root"
out=build-sanitize/fuzz-logs
mkdir -p "$out"
run() {
  local t=$1
  local corpora=("build-sanitize/fuzz-corpus/$t")
  [ -d "fuzz/corpus/$t" ] && corpora+=("fuzz/corpus/$t")
  case "$t" in nmea_*|logger_reply|gps_log) corpora+=("tests/data/nmea") ;; esac
  mkdir -p "build-sanitize/fuzz-corpus/$t" "build-sanitize/fuzz-findings/$t"
  QT_QPA_PLATFORM=offscreen "build-sanitize/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
    -print_final_stats=1 -artifact_prefix="build-sanitize/fuzz-findings/$t/" \
    "${corpora[@]}" > "$out/$t.log" 2>&1 || true
}
running=0
for t in "${targets[@]}"; do
  run "$t" &
  running=$((running + 1))
  if [ "$running" -ge "$parallel" ]; then
    wait -n || true
    running=$((running - 1))
  fi
done
wait || true
status=0
printf '%-16s %14s %9s\n' target executions findings
for t in "${targets[@]}"; do
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$out/$t.log" | grep -o '[0-9]*$' | tail -n1 || true)
  found=$(find "build-sanitize/fuzz-findings/$t" -type f | wc -l)
  printf '%-16s %14s %9s\n' "$t" "${runs:-?}" "$found"
  # A target that found something, or that never got to its final statistics, fails the run.
  if [ "$found" -ne 0 ] || ! [[ "$runs" =~ ^[0-9]+$ ]]; then status=1; fi
done
exit $status
