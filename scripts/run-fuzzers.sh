#!/usr/bin/env bash
# Builds the libFuzzer targets (preset fuzz, into build/fuzz) and runs each for
# SECONDS_PER_TARGET seconds (default 10). Prints one line per target,
#   fuzz <target>: <executions> executions, passed|failed
# and exits non-zero if any target failed. Each target keeps its corpus in
# build/fuzz/corpus/<target>, so later runs start from what earlier ones found;
# a failing input is written to build/fuzz/artifacts/.
set -euo pipefail

seconds=${1:-10}
if ! [[ $seconds =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 [SECONDS_PER_TARGET]" >&2
  exit 2
fi

root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz
targets=(text2int_fuzzer text2double_fuzzer format_int_fuzzer format_double_fuzzer)

mkdir -p "$build/logs" "$build/artifacts"
cd "$root"
if ! { cmake --preset fuzz -B "$build" && cmake --build "$build" -j2; } >"$build/logs/build.log" 2>&1; then
  cat "$build/logs/build.log" >&2
  echo "fuzz: build failed" >&2
  exit 1
fi

failed=0
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  log=$build/logs/$target.log
  mkdir -p "$corpus"
  options=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-")
  case $target in
    text2*) options+=(-dict="$root/fuzz/number_text.dict") ;;
  esac
  if "$build/fuzz/$target" "${options[@]}" "$corpus" >"$log" 2>&1; then
    status=passed
  else
    status=failed
    failed=1
  fi
  # The final statistics, or after a crash the last progress line.
  executions=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log" | tail -n1)
  if [ -z "$executions" ]; then
    executions=$(sed -n 's/^#\([0-9]*\).*/\1/p' "$log" | tail -n1)
  fi
  echo "fuzz $target: ${executions:-0} executions, $status"
  if [ "$status" = failed ]; then
    tail -n 40 "$log" >&2
  fi
done
exit "$failed"
