#!/usr/bin/env bash
# quorvane-check.exe under Wine on a few real files, a Japanese name among
# them: verdicts, UTF-8 and LF output, exit statuses, a rename and its undo.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath "${1:-build-windows}")
check=$out/quorvane-check.exe
source scripts/wine-env.sh
wine_prefix_start

work=$(mktemp -d)
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX" "$work"' EXIT
failures=0
expect() {  # expect DESCRIPTION EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    echo "ok    $1"
  else
    echo "FAIL  $1"; echo "      expected: $(printf '%q' "$2")"; echo "      actual:   $(printf '%q' "$3")"
    failures=$((failures + 1))
  fi
}

png=$'\x89PNG\r\n\x1a\n\0\0\0\rIHDR'
mkdir "$work/files" "$work/files/sub"
printf '%s' "$png" >"$work/files/picture.png"
printf '%s' "$png" >"$work/files/picture.jpg"
printf '%s' "$png" >"$work/files/写真.jpg"
printf '%%PDF-1.4\n' >"$work/files/sub/報告書.doc"
cp Quorvane.dat "$work/"
cd "$work"
run() { wine "$check" --data Quorvane.dat "$@"; }

set +e
output=$(run files/picture.png files/picture.jpg files/写真.jpg files/missing.png 2>&1); status=$?
set -e
expect "verdicts, in argument order" \
  "$(printf 'match\tfiles/picture.png\t\nmismatch\tfiles/picture.jpg\tPNG image; png\nmismatch\tfiles/写真.jpg\tPNG image; png\nerror\tfiles/missing.png\tNo such file or directory')" \
  "$output"
expect "a missing path gives exit status 4" 4 "$status"
expect "line ends are LF alone" 0 "$(run files/picture.png | tr -cd '\r' | wc -c)"
expect "a folder walk finds the Japanese names, joined the Windows way" \
  "$(printf 'mismatch\tfiles\\sub\\報告書.doc\tPDF document; pdf\nmismatch\tfiles\\写真.jpg\tPNG image; png')" \
  "$(run -r files | grep '^mismatch' | grep -v picture || true)"
expect "JSON names are UTF-8" '"files/写真.jpg"' \
  "$(run --json files/写真.jpg | python3 -c 'import json,sys; print(json.dumps(json.loads(sys.stdin.read())["path"], ensure_ascii=False))')"

expect "a rename gives the Japanese name its extension" "$(printf 'renamed\tfiles/写真.jpg\tfiles/写真.png')" \
  "$(run --rename files/写真.jpg)"
expect "the renamed file is there under its new name" "写真.png" "$(ls files | grep 写真)"
cp files/picture.png picture.png.before
set +e
run --rename files/picture.jpg >/dev/null 2>&1; renameStatus=$?
set -e
expect "a rename onto a taken name fails with status 3" 3 "$renameStatus"
expect "and leaves the other file alone" same "$(cmp -s picture.png.before files/picture.png && echo same)"
wine "$check" --undo >/dev/null
expect "the undo gives back the Japanese name" "写真.jpg" "$(ls files | grep 写真)"

printf 'not a table\n' >broken.dat
set +e
message=$(wine "$check" --data broken.dat files/picture.png 2>&1 >/dev/null); status=$?
set -e
expect "a malformed table gives exit status 1" 1 "$status"
expect "and the Japanese message, in UTF-8" 1 "$(printf '%s' "$message" | grep -c 'プロファイルのヘッダが不正です' || true)"
expect "--version" "quorvane-check 1.10" "$(wine "$check" --version)"

[ "$failures" -eq 0 ] || { echo "$failures quorvane-check.exe check(s) failed"; exit 1; }
echo "quorvane-check.exe under Wine: all checks passed"
