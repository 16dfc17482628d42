#!/usr/bin/env bash
# Runs every Windows test under Wine against the given build folder (default
# build-windows), each part timed, and fails when any part fails.
set -uo pipefail
cd "$(dirname "$0")/.."
out=${1:-build-windows}
failed=()
for part in core check gui installer; do
  script=scripts/windows-test-$part.sh
  [ -x "$script" ] || continue
  echo "== Windows tests: $part"
  start=$(date +%s)
  "$script" "$out" || failed+=("$part")
  echo "== $part: $(( $(date +%s) - start )) s"
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Windows tests failed: ${failed[*]}"
  exit 1
fi
echo "Windows tests passed"
