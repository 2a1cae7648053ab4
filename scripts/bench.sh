#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs every one: one line per comparison of an operation
# with its floor (name, ratio, target, whether it holds). Ends with 1 when one misses.
# Arguments reach every benchmark program (--only=<part of a name> runs only those).
# Google Benchmark's tables go to build-release/bench/bench.log.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
launcher=()
command -v ccache > /dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELLOR_BENCH=ON "${launcher[@]}" > /dev/null
log=build-release/bench/bench.log
mkdir -p build-release/bench
if ! cmake --build build-release --target benchmarks > "$log" 2>&1; then
  cat "$log"
  exit 1
fi
: > "$log"
status=0
for program in build-release/bench/bench_*; do
  [ -f "$program" ] && [ -x "$program" ] || continue
  "$program" "$@" 2>> "$log" || status=1
done
echo "(Google Benchmark's tables: $log)" >&2
exit $status
