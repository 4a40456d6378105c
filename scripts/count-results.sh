#!/usr/bin/env bash
# Prints "PASSED FAILED" for one ctest run: the test cases of each gtest
# executable from its XML results, and one case for a test without results
# (or whose process failed without a failing case, e.g. a crash).
# Usage: count-results.sh CTEST_LOG RESULTS_DIR
set -u
log=$1
results=$2
passed=0
failed=0
while read -r name verdict; do
  xml="$results/$name.xml"
  if [ -f "$xml" ]; then
    header=$(grep -m1 '<testsuites ' "$xml")
    attr() { echo "$header" | sed -n "s/.* $1=\"\([0-9]*\)\".*/\1/p"; }
    tests=$(attr tests); failures=$(attr failures); errors=$(attr errors); disabled=$(attr disabled)
    skipped=$(grep -c 'result="skipped"' "$xml")
    bad=$(( ${failures:-0} + ${errors:-0} ))
    passed=$(( passed + ${tests:-0} - bad - ${disabled:-0} - skipped ))
    if [ "$verdict" != Passed ] && [ "$bad" -eq 0 ]; then
      bad=1
    fi
    failed=$(( failed + bad ))
  elif [ "$verdict" = Passed ]; then
    passed=$(( passed + 1 ))
  else
    failed=$(( failed + 1 ))
  fi
done < <(sed -n 's/^ *[0-9]*\/[0-9]* Test *#[0-9]*: \([^ ]*\) \.*[ *]*\([A-Za-z]*\).*/\1 \2/p' "$log")
echo "$passed $failed"
