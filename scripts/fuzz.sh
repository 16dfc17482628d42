#!/usr/bin/env bash
# Builds the fuzzers with clang (libFuzzer, AddressSanitizer, UBSan) and runs
# them for a fixed number of seconds in all, shared between them: the table
# loader, the matcher, and each container reader of the second look.
# usage: fuzz.sh OUTDIR SECONDS
set -euo pipefail
out=${1:-build/fuzz}
seconds=${2:-20}
root=$(cd "$(dirname "$0")/.." && pwd)
flags=(-std=c++20 -O1 -g -fsanitize=address,undefined -fno-sanitize-recover=undefined -I"$root")
mkdir -p "$out/objects"

# The core once, as an archive both fuzzers link what they need from.
# An object is compiled again when its source or any core header is newer.
sources=("$root"/platform/*.cpp "$root"/platform/linux/*.cpp "$root"/signature/*.cpp "$root"/signature/inside/*.cpp "$root"/engine/*.cpp)
newest_header=$(ls -t "$root"/platform/*.h "$root"/signature/*.h "$root"/signature/inside/*.h "$root"/engine/*.h | head -n 1)
printf '%s\n' "${sources[@]}" | xargs -P 2 -I{} sh -c \
  'source=$1; header=$2; object="$3/objects/$(basename "$(dirname "$1")")_$(basename "$1" .cpp).o"; shift 3
   [ "$object" -nt "$source" ] && [ "$object" -nt "$header" ] || exec clang++ "$@" -c "$source" -o "$object"' \
  _ {} "$newest_header" "$out" "${flags[@]}" -fsanitize=fuzzer-no-link
rm -f "$out/libcore.a"
ar qc "$out/libcore.a" "$out"/objects/*.o

run() {  # NAME SECONDS MAX_LEN SEED...
  local name=$1 time=$2 max_len=$3
  shift 3
  mkdir -p "$out/corpus-$name"
  clang++ "${flags[@]}" -fsanitize=fuzzer "$root/tests/fuzz/${name}_fuzzer.cpp" "$out/libcore.a" -lz -lpthread \
    -o "$out/${name}_fuzzer"
  for seed in "$@"; do cp "$seed" "$out/corpus-$name/" 2>/dev/null || true; done
  "$out/${name}_fuzzer" -max_total_time="$time" -max_len="$max_len" -artifact_prefix="$out/" -print_final_stats=1 \
    "$out/corpus-$name" 2>"$out/$name.log" || { tail -n 40 "$out/$name.log"; exit 1; }
  grep -E '^stat::number_of_executed_units' "$out/$name.log" | sed "s/^stat::/fuzz: $name /"
  echo "fuzz: $name ran clean for ${time} s"
}

# A seed for the matcher: 8 leading bytes of a PNG, the name "a.gif", the shipped data lines.
matcher_seed="$out/matcher-seed"
{ printf '\x08\x05\x89PNG\r\n\x1a\na.gif'; tail -n +3 "$root/Quorvane.dat"; } >"$matcher_seed"

# Half the time to the loader and the matcher, the rest shared by the container
# readers of the second look, each seeded with the real samples of its family.
readers=(zip_member compound_file_member matroska_member pe_member tiff_raw_member id3_member elf_member script_member)
table_time=$(( seconds / 4 > 0 ? seconds / 4 : 1 ))
reader_time=$(( (seconds - 2 * table_time) / ${#readers[@]} > 0 ? (seconds - 2 * table_time) / ${#readers[@]} : 1 ))
run loader "$table_time" 4096 "$root/Quorvane.dat"
run matcher "$table_time" 4096 "$matcher_seed"
samples=$root/tests/data/containers/files
seeds() {  # the samples whose names end in one of the given extensions
  local ext
  for ext in "$@"; do ls "$samples"/*."$ext" 2>/dev/null || true; done
}
run zip_member "$reader_time" 65536 $(seeds docx xlsx odt epub jar zip apk whl)
run compound_file_member "$reader_time" 65536 $(seeds doc xls msi)
run matroska_member "$reader_time" 16384 $(seeds mkv mka webm)
run pe_member "$reader_time" 16384 $(seeds exe dll cpl)
run tiff_raw_member "$reader_time" 16384 $(seeds tif dng)
run id3_member "$reader_time" 16384 $(seeds mp3 flac aac)
run elf_member "$reader_time" 16384 $(seeds so o)
run script_member "$reader_time" 512
