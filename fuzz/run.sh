#!/usr/bin/env bash
# Runs every fuzz target of a build made with -DPELLOR_FUZZ=ON for a bounded time each.
# The seed corpora are made from fuzz/seeds/<target>.txt: one seed a line, written with
# printf's escapes (\r, \n, \t, \xHH), so that the repository holds text only.
# A crash, a sanitizer report or a round trip that loses something ends the run with failure.
set -euo pipefail
build=${1:?usage: fuzz/run.sh <build folder> [seconds per target]}
seconds=${2:-30}
here="$(cd "$(dirname "$0")" && pwd)"
work="${PELLOR_FUZZ_WORK:-$(mktemp -d)}"
mkdir -p "$work"
[ -n "${PELLOR_FUZZ_WORK:-}" ] || trap 'rm -rf "$work"' EXIT
failed=()
for seeds in "$here"/seeds/*.txt; do
  target=$(basename "$seeds" .txt)
  corpus="$work/$target"
  mkdir -p "$corpus"
  n=0
  while IFS= read -r line || [ -n "$line" ]; do
    n=$((n + 1))
    # shellcheck disable=SC2059 # the line is the format: its escapes make the seed's bytes
    printf -- "$line" > "$corpus/seed$n"
  done < "$seeds"
  echo "== fuzz_$target: $n seeds, ${seconds}s"
  if ! ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
       "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -artifact_prefix="$work/crash-$target-" "$corpus" 2>&1 | tee "$work/$target.log"; then
    failed+=("$target")
  fi
done

# The failures again at the end, where a log's tail shows them: what the fuzzer reported and
# the input that did it.
for target in "${failed[@]}"; do
  echo "== fuzz_$target failed:" >&2
  grep -v -E '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse|INITED|RELOAD)' "$work/$target.log" | tail -40 >&2
  for crash in "$work"/crash-"$target"-*; do
    if [ -e "$crash" ]; then
      echo "-- the input ($(basename "$crash")):" >&2
      od -An -tx1 -c "$crash" | head -20 >&2
    fi
  done
done
[ ${#failed[@]} -eq 0 ]
