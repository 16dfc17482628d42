#!/usr/bin/env bash
# Cross-builds the Windows programs into the given folder (default
# build-windows), preparing the toolchain first when it is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build-windows}

eval "$(scripts/setup-windows-toolchain.sh)"
cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DQUORVANE_WX_PREFIX="$WX_PREFIX" -DQUORVANE_GTEST_PREFIX="$GTEST_PREFIX" >/dev/null
cmake --build "$out" -j"$(nproc)"
