#!/usr/bin/env bash
# Builds the loader fuzzer with clang (libFuzzer, AddressSanitizer, UBSan) and
# runs it for a fixed number of seconds.  usage: fuzz.sh OUTDIR SECONDS
set -euo pipefail
out=${1:-build/fuzz}
seconds=${2:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root" "$root/tests/fuzz/loader_fuzzer.cpp" "$root/signature/loader.cpp" "$root/signature/matcher.cpp" \
  "$root/signature/fatal_error.cpp" "$root/filelist/file_list.cpp" "$root/platform/path_split.cpp" \
  "$root/platform/text_compare.cpp" -o "$out/loader_fuzzer"
cp "$root/Quorvane.dat" "$out/corpus/seed.dat" 2>/dev/null || true
"$out/loader_fuzzer" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 "$out/corpus" 2>"$out/fuzz.log" \
  || { tail -n 40 "$out/fuzz.log"; exit 1; }
grep -E '^stat::number_of_executed_units' "$out/fuzz.log" | sed 's/^stat::/fuzz: /'
echo "fuzz: loader ran clean for ${seconds} s"
