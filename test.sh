#!/usr/bin/env bash
# Builds every configuration and runs every test suite:
#   native       Linux driver and portable code under ASan + UBSan
#   native-tsan  the concurrency tests under ThreadSanitizer
#   win32        the Windows driver and its GUI under Wine, on a private Xvfb;
#                where this machine cannot run 32-bit programs, the 32-bit build
#                is compiled and its DLL checked, and the same Windows tests run
#   win64        in the 64-bit Windows build under 64-bit Wine instead
#   linux-i686   the synthesis tests and digests in 32-bit x86 arithmetic
#   fuzz         the number text fuzz targets, for a short bounded time
# Ends with one line "N passed, N failed" summed over all of them.
set -uo pipefail
cd "$(dirname "$0")"
source scripts/ensure-tools.sh
source scripts/wine-session.sh
ensure_tools

total_passed=0
total_failed=0
logs=$(mktemp -d)
trap 'wine_session_stop; rm -rf "$logs"' EXIT

add_counts() {
  local counts
  counts=($1)
  total_passed=$(( total_passed + counts[0] ))
  total_failed=$(( total_failed + counts[1] ))
  echo "== $2: ${counts[0]} passed, ${counts[1]} failed"
}

# build PRESET: configure and build; false (with the log shown) on failure.
build() {
  local preset=$1
  echo "== $preset: configure and build"
  if ! cmake --preset "$preset" >"$logs/$preset-configure.log" 2>&1 ||
     ! cmake --build "build/$preset" -j2 >"$logs/$preset-build.log" 2>&1; then
    cat "$logs/$preset-configure.log" "$logs/$preset-build.log" 2>/dev/null | tail -n 60
    add_counts "0 1" "$preset (build failed)"
    return 1
  fi
}

# run_tests PRESET [ctest args...]
run_tests() {
  local preset=$1; shift
  local dir=build/$preset
  rm -rf "$dir/results"
  mkdir -p "$dir/results"
  ctest --test-dir "$dir" --output-on-failure --timeout 300 "$@" 2>&1 | tee "$logs/$preset-ctest.log"
  add_counts "$(scripts/count-results.sh "$logs/$preset-ctest.log" "$dir/results")" "$preset"
}

build native && run_tests native -j2
build native-tsan && run_tests native-tsan -L concurrency -j2

# The Wine session starts right before the tests, on a fresh prefix.
if wine_usable win32; then
  if build win32; then
    wine_session_start win32
    run_tests win32
    wine_session_stop
  fi
else
  echo "== win32: this machine cannot run 32-bit programs; building and checking the DLL only"
  build win32 && add_counts "1 0" "win32 build"
  if build win64; then
    wine_session_start win64
    run_tests win64
    wine_session_stop
  fi
fi
scripts/check-dll.sh build/win32/driver/Simulator.dll | tee "$logs/dll-checks.log"
add_counts "$(grep -c ': passed$' "$logs/dll-checks.log") $(grep -c ': failed$' "$logs/dll-checks.log")" "DLL checks"

# The synthesis must give the same bits in 32-bit x86 code (the shipped DLL)
# as in the 64-bit builds; the same tests, with the same digests, built for
# 32-bit Linux check that where the 32-bit Windows tests cannot run.
echo "== linux-i686: configure and build"
if cmake --preset linux-i686 >"$logs/i686-configure.log" 2>&1 &&
   cmake --build build/linux-i686 -j2 --target synthesis_test >"$logs/i686-build.log" 2>&1; then
  runner=()
  /lib/ld-linux.so.2 --version >/dev/null 2>&1 || runner=(qemu-i386)
  rm -rf build/linux-i686/results && mkdir -p build/linux-i686/results
  if "${runner[@]}" build/linux-i686/tests/synthesis/synthesis_test \
       --gtest_output=xml:build/linux-i686/results/synthesis_test.xml >"$logs/i686-test.log" 2>&1; then
    verdict=Passed
  else
    verdict=Failed
    tail -n 40 "$logs/i686-test.log"
  fi
  echo "1/1 Test #1: synthesis_test ... $verdict" >"$logs/i686-ctest.log"
  add_counts "$(scripts/count-results.sh "$logs/i686-ctest.log" build/linux-i686/results)" linux-i686
else
  tail -n 60 "$logs/i686-build.log"
  add_counts "0 1" "linux-i686 (build failed)"
fi

echo "== fuzz"
scripts/run-fuzzers.sh 10 2>&1 | tee "$logs/fuzz.log"
fuzz_status=${PIPESTATUS[0]}
fuzz_passed=$(grep -c '^fuzz .*, passed$' "$logs/fuzz.log")
fuzz_failed=$(grep -c '^fuzz .*, failed$' "$logs/fuzz.log")
if [ "$fuzz_status" -ne 0 ] && [ "$fuzz_failed" -eq 0 ]; then
  fuzz_failed=1
fi
add_counts "$fuzz_passed $fuzz_failed" fuzz

echo "$total_passed passed, $total_failed failed"
[ "$total_failed" -eq 0 ]
