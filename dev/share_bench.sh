#!/usr/bin/env bash
# The check on a network share emulated on this machine (latfs: a read-only passthrough FUSE file system
# that answers every request after a fixed delay, many at once), at 0.2, 1 and 5 ms a request, on two trees
# of 20,000 files of 200 bytes: "flat" (10 folders of 2,000) and "deep" (2,040 folders of 10). Prints per
# delay and tree the floor (256 threads doing stat/open/read 64/close over the file list: the share's
# limit), `quorvane-check -r` on the mount, their ratio and the verdict against the targets. Each run gets
# a fresh mount, so no kernel cache carries over. Needs root (FUSE mounts).
#   dev/share_bench.sh BUILD_DIR            (make bench-share)
# BASELINE_CHECK=PATH also times another quorvane-check at 0.2 ms on the same mount conditions; the 0.2 ms
# verdict then compares the two (within 5%) instead of the ratio.
set -euo pipefail
BUILD=$(readlink -f "$1")
QC=$BUILD/quorvane-check
DAT=$(readlink -f Quorvane.dat)
LATFS_SOURCE=$(readlink -f ../shared/tools/latfs)
export LATFS_OUT=$BUILD/latfs
W=$BUILD/netshare
DELAYS=${SHARE_DELAYS:-200 1000 5000}
# At 5 ms: flat within 1.5x the floor, deep within 2x. At 0.2 ms the floor and the check are both near the
# emulator's own limit on 2 cores; 32 fixed readers measured 1.08x the floor on a quiet machine and
# 1.5-2.3x with other builds running, so the ratio allowed there is 1.25x.
TARGET_5000_flat=1.5
TARGET_5000_deep=2.0
TARGET_200=1.25

[ "$(id -u)" = 0 ] || { echo "bench-share needs root for FUSE mounts"; exit 1; }
[ -x "$LATFS_OUT/latfs" ] && [ -x "$LATFS_OUT/floor" ] || "$LATFS_SOURCE/build.sh" >/dev/null
mkdir -p "$W/mnt"
python3 - "$W" <<'PY'
import os, random, sys
w = sys.argv[1]
heads = [(b"\xff\xd8\xff\xe0\x00\x10JFIF\x00", "jpg"), (b"\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR", "png"),
         (b"GIF89a\x01\x00\x01\x00", "gif"), (b"%PDF-1.4\n", "pdf"), (b"plain text line\n", "txt")]
def make(root, folders, per_folder, seed):
    if os.path.isdir(root): return
    rnd = random.Random(seed)
    for f in folders:
        d = os.path.join(root, f); os.makedirs(d, exist_ok=True)
        for i in range(per_folder):
            head, ext = rnd.choice(heads)
            if rnd.random() < 0.2: ext = rnd.choice(heads)[1]
            with open(os.path.join(d, f"f{i:05d}.{ext}"), "wb") as out:
                out.write(head + bytes(rnd.getrandbits(8) for _ in range(200 - len(head))))
make(os.path.join(w, "flat"), [f"d{d:02d}" for d in range(10)], 2000, 7)
make(os.path.join(w, "deep"), [f"a{a:02d}/b{b:02d}" for a in range(40) for b in range(51) if a * 51 + b < 2040], 10, 11)
PY

mounted() { mountpoint -q "$W/mnt"; }
# tree delay command... -> seconds on a fresh mount
timed_on_mount() {
  local tree=$1 delay=$2; shift 2
  "$LATFS_OUT/latfs" "$W/$tree" "$W/mnt" -f -o "delay_us=$delay,no_rofd_flush" >/dev/null 2>&1 & local pid=$!
  for _ in $(seq 500); do mounted && break; sleep 0.01; done
  local s e; s=$(date +%s%N); "$@" >/dev/null 2>&1 || true; e=$(date +%s%N)
  fusermount3 -u "$W/mnt"; wait "$pid" 2>/dev/null || true
  awk -v n=$((e - s)) 'BEGIN{printf "%.2f", n/1e9}'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf "%.2f", a/b}'; }
verdict() { awk -v r="$1" -v t="$2" 'BEGIN{print (r <= t) ? "PASS" : "FAIL"}'; }

for tree in flat deep; do
  (cd "$W/$tree" && find . -type f | sed "s|^\.|$W/mnt|" | sort) > "$W/$tree.list"
done
failed=0
printf '%-8s %-5s %10s %10s %7s  %s\n' delay tree floor check ratio target
for delay in $DELAYS; do
  for tree in flat deep; do
    floor=$(timed_on_mount $tree "$delay" "$LATFS_OUT/floor" 256 "$W/$tree.list")
    check=$(timed_on_mount $tree "$delay" "$QC" --data "$DAT" -r "$W/mnt")
    r=$(ratio "$check" "$floor")
    target=""
    case $delay in
      5000) target=$(eval echo "\$TARGET_5000_$tree") ;;
      200) [ -n "${BASELINE_CHECK:-}" ] || target=$TARGET_200 ;;
    esac
    line=$(printf '%-8s %-5s %8s s %8s s %6sx' "$(awk -v d="$delay" 'BEGIN{print d/1000 " ms"}')" "$tree" "$floor" "$check" "$r")
    if [ -n "$target" ]; then
      v=$(verdict "$r" "$target"); [ "$v" = PASS ] || failed=1
      line="$line  <= ${target}x $v"
    fi
    if [ "$delay" = 200 ] && [ -n "${BASELINE_CHECK:-}" ]; then
      base=$(timed_on_mount $tree "$delay" "$BASELINE_CHECK" --data "$DAT" -r "$W/mnt")
      v=$(verdict "$(ratio "$check" "$base")" 1.05); [ "$v" = PASS ] || failed=1
      line="$line  baseline $base s: $(ratio "$check" "$base")x of it <= 1.05x $v"
    fi
    echo "$line"
  done
done
# The window's Tool > Check drives the same read-ahead engine as quorvane-check, with the same settings.
if grep -q 'OrderedProbes probes(' list/check_run.cpp && ! grep -q 'ReadAheadSettings' list/check_run.cpp; then
  echo "window's Tool > Check: the same engine (OrderedProbes, kDefaultReadAhead) as quorvane-check; not run apart"
else
  echo "window's Tool > Check: list/check_run.cpp does not use the default read-ahead engine; measure it apart"
fi
[ $failed = 0 ] && echo "bench-share: PASS" || { echo "bench-share: FAIL"; exit 1; }
