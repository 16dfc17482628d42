#!/usr/bin/env bash
# Builds the fuzzers with clang (libFuzzer, AddressSanitizer, UBSan) and runs
# them for a fixed number of seconds in all, shared between them.
# usage: fuzz.sh OUTDIR SECONDS
set -euo pipefail
out=${1:-build/fuzz}
seconds=${2:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
flags=(-std=c++20 -O1 -g -fsanitize=address,undefined -fno-sanitize-recover=undefined -I"$root")
mkdir -p "$out/objects"

# The core once, as an archive both fuzzers link what they need from.
# An object is compiled again when its source or any core header is newer.
sources=("$root"/platform/*.cpp "$root"/platform/posix/*.cpp "$root"/signature/*.cpp "$root"/filelist/*.cpp "$root"/tasks/*.cpp)
newest_header=$(ls -t "$root"/platform/*.h "$root"/signature/*.h "$root"/filelist/*.h "$root"/tasks/*.h | head -n 1)
printf '%s\n' "${sources[@]}" | xargs -P 2 -I{} sh -c \
  'source=$1; header=$2; object="$3/objects/$(basename "$(dirname "$1")")_$(basename "$1" .cpp).o"; shift 3
   [ "$object" -nt "$source" ] && [ "$object" -nt "$header" ] || exec clang++ "$@" -c "$source" -o "$object"' \
  _ {} "$newest_header" "$out" "${flags[@]}" -fsanitize=fuzzer-no-link
rm -f "$out/libcore.a"
ar qc "$out/libcore.a" "$out"/objects/*.o

run() {  # NAME SECONDS SEED...
  local name=$1 time=$2
  shift 2
  mkdir -p "$out/corpus-$name"
  clang++ "${flags[@]}" -fsanitize=fuzzer "$root/tests/fuzz/${name}_fuzzer.cpp" "$out/libcore.a" -lpthread \
    -o "$out/${name}_fuzzer"
  for seed in "$@"; do cp "$seed" "$out/corpus-$name/" 2>/dev/null || true; done
  "$out/${name}_fuzzer" -max_total_time="$time" -max_len=4096 -artifact_prefix="$out/" -print_final_stats=1 "$out/corpus-$name" \
    2>"$out/$name.log" || { tail -n 40 "$out/$name.log"; exit 1; }
  grep -E '^stat::number_of_executed_units' "$out/$name.log" | sed "s/^stat::/fuzz: $name /"
  echo "fuzz: $name ran clean for ${time} s"
}

# A seed for the matcher: 8 leading bytes of a PNG, the name "a.gif", the shipped data lines.
matcher_seed="$out/matcher-seed"
{ printf '\x08\x05\x89PNG\r\n\x1a\na.gif'; tail -n +3 "$root/Quorvane.dat"; } >"$matcher_seed"

loader_time=$(( (seconds + 1) / 2 ))
run loader "$loader_time" "$root/Quorvane.dat"
run matcher $(( seconds - loader_time > 0 ? seconds - loader_time : 1 )) "$matcher_seed"
