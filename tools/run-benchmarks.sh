#!/usr/bin/env bash
# Builds the benchmarks in Release in build-bench/, runs every bench_* program
# there and prints one line per figure: the project's time, its peer's time and
# the ratio peer / project (above 1: the project is faster). Times are the CPU
# time of the benchmark's thread, which the other work of a shared machine
# disturbs far less than the wall-clock time. Figures pair by
# name: BM_<Thing>_Project/<args> with BM_<Thing>_Peer/<args>. Each figure is
# the median of BENCH_REPETITIONS runs (default 5) taken in random interleaved
# order, so that the load of a shared machine falls on both sides alike.
# Arguments are passed to every program (e.g. --benchmark_filter=Search).
# Programs that draw run offscreen unless QT_QPA_PLATFORM says otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
repetitions=${BENCH_REPETITIONS:-5}
jobs=$(nproc)
(( jobs > 8 )) && jobs=8
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF > /dev/null
cmake --build build-bench -j "$jobs" --target benchmarks >&2

results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
found=0
failed=()
for exe in build-bench/bench/bench_*; do
  [[ -x "$exe" && -f "$exe" ]] || continue
  found=1
  echo "running $(basename "$exe")" >&2
  # A program that fails is named at the end; the figures of the others still print.
  "$exe" --benchmark_format=csv --benchmark_repetitions="$repetitions" \
    --benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true "$@" \
    > "$results/$(basename "$exe").csv" || failed+=("$(basename "$exe")")
done
(( found )) || { echo "no benchmark programs in build-bench/bench" >&2; exit 1; }

# CSV columns: name, iterations, real_time, cpu_time, time_unit, ... Only the
# medians are read (a single repetition reports no aggregates: then the plain
# rows). Times are brought to milliseconds; a figure without its partner shows "-".
cat "$results"/*.csv | awk -F, '
  function ms(t, unit) {
    if (unit == "ns") return t / 1e6
    if (unit == "us") return t / 1e3
    if (unit == "s") return t * 1e3
    return t
  }
  /^"BM_/ {
    name = $1; gsub(/"/, "", name)
    if (name ~ /_(mean|stddev|cv)$/) next
    sub(/_median$/, "", name)
    side = ""
    if (name ~ /_Project(\/|$)/) { side = "project"; sub(/_Project/, "", name) }
    else if (name ~ /_Peer(\/|$)/) { side = "peer"; sub(/_Peer/, "", name) }
    else next
    sub(/\/real_time/, "", name)
    if (!(name in seen)) { seen[name] = 1; order[++n] = name }
    t[name, side] = ms($4, $5)
  }
  END {
    printf "%-36s %14s %14s %10s\n", "figure", "project (ms)", "peer (ms)", "peer/proj"
    for (i = 1; i <= n; ++i) {
      k = order[i]
      p = ((k, "project") in t) ? sprintf("%.3f", t[k, "project"]) : "-"
      q = ((k, "peer") in t) ? sprintf("%.3f", t[k, "peer"]) : "-"
      r = (((k, "project") in t) && ((k, "peer") in t) && t[k, "project"] > 0) ? sprintf("%.2f", t[k, "peer"] / t[k, "project"]) : "-"
      printf "%-36s %14s %14s %10s\n", k, p, q, r
    }
  }'
if (( ${#failed[@]} )); then
  echo "failed: ${failed[*]}" >&2
  exit 1
fi
