#!/usr/bin/env bash
# Runs the cross-built core tests under Wine, in a Wine prefix made for this
# run and removed after it (its set-up is not counted in the time printed),
# from the source root (the tests read Quorvane.dat and tests/data there).
# Prints the failures and gtest's summary; exits non-zero on a failure.
#   scripts/windows-test-core.sh [build-windows]   (extra arguments go to the tests)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
shift || true
programs=("$build/tests/quorvane_engine_tests.exe" "$build/tests/quorvane_list_tests.exe")
for tests in "${programs[@]}"; do
  [ -f "$tests" ] || { echo "no $tests: build it first (scripts/windows-build.sh $build)" >&2; exit 2; }
done

# A fresh prefix, removed on exit; the journal of the renames the tests make
# goes to its %LOCALAPPDATA%, so it goes with it.
. scripts/wine-env.sh
wine_prefix_start
failed=0
for tests in "${programs[@]}"; do
  name=$(basename "$tests" .exe)
  log=$WINEPREFIX/$name.log
  start=$(date +%s%N)
  status=0
  wine "$tests" --gtest_color=no "$@" >"$log" 2>&1 || status=$?
  elapsed=$(( ($(date +%s%N) - start) / 1000000 ))

  # What each failed test printed, then gtest's summary and the time taken.
  awk '/^\[ RUN      \]/ { body = "" } { body = body $0 "\n" }
       /^\[  FAILED  \] .*\([0-9]+ ms\)$/ { printf "%s", body }' "$log"
  sed -n '/^\[==========\] .* ran\./,$p' "$log"
  printf '%s under Wine: %d.%03d s\n' "$name" $((elapsed / 1000)) $((elapsed % 1000))
  if [ "$status" -ne 0 ] || ! grep -q '^\[  PASSED  \]' "$log"; then
    [ -s "$log" ] && ! grep -q '^\[==========\] .* ran\.' "$log" && tail -40 "$log"
    echo "$name under Wine: FAILED (exit status $status)" >&2
    failed=1
  fi
done
exit $failed
