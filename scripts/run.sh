#!/usr/bin/env bash
# Starts the program from the project root, where Quorvane.dat lives.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
if [ -x "$build/window/quorvane" ]; then
  exec "$build/window/quorvane"
fi
# Without the window program, judge the sample files from the command line.
exec "$build/quorvane-check" -r tests/samples
