#!/usr/bin/env bash
# Smoke test of the cross-built window program under Wine and Xvfb, in a fresh
# Wine prefix made for the run and removed after it:
#  1. quorvane.exe starts and maps its window "Quorvane" (screenshot start.png);
#  2. File > Exit through its access keys ends it with status 0 and writes
#     %APPDATA%\Quorvane\Quorvane.ini with the section "Quorvaner" and its five keys;
#     started in a folder without Quorvane.dat, it finds the one beside it;
#  3. with a malformed Quorvane.dat in the current folder it shows one message
#     box captioned "quorvane" with the Japanese message (screenshot fatal.png)
#     and no main window; OK ends it with status 1 and no profile is written;
#  4. a drop of sample files and Tool > Check, made inside the real window by
#     the screenshot helper, leave the status line at "All File : 6  CheckFile : 5"
#     (six rows; the folder is listed, not read);
#  5. a real drag from another program (an X11 drag of a URI list, which Wine
#     hands to the window as Explorer's file drop), then Tool > Check and,
#     with all rows selected, Tool > Auto Rename rename the mis-named files
#     on disk, a Japanese name among them;
#  6. "Check with Quorvane" on three files, started once per file as Explorer
#     does, opens one window that checks all three;
# then the helper takes the main window after the check, the Rename File dialog
# and the About box in a Wine desktop with frames (main.png, rename.png,
# about.png). Screenshots go to BUILD/screenshots/; with --docs main.png is
# also copied to docs/windows-main-window.png. Exits non-zero at the first
# failure.
# Usage: scripts/windows-test-gui.sh [build-windows-dir] [--docs]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$(realpath "${1:-build-windows}")
program=$build/quorvane.exe
helper=$build/dev/quorvane_screenshot_helper.exe
for binary in "$program" "$helper"; do
  [ -f "$binary" ] || { echo "missing $binary: build first (make windows)" >&2; exit 1; }
done
for tool in wine wineserver Xvfb xdotool convert import; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/setup-windows-toolchain.sh installs it)" >&2; exit 1; }
done
shots=$build/screenshots
mkdir -p "$shots"

# The cleanup removes the prefix: never one that came with the environment.
unset WINEPREFIX
source scripts/wine-env.sh
work=$(mktemp -d)
pid= xvfb=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "${WINEPREFIX:-}" "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A display of our own; -displayfd names a free one.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null & xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(cat "$work/display")

# The prefix, with Japanese text linked to the IPA font (real Windows has its own).
wine_prefix_start
trap cleanup EXIT
with_japanese_font
# This Wine build does not find its own faces (fonts-wine): a copy of Marlett
# draws the caption buttons. (With a copy of Tahoma the link above no longer
# gives the Japanese glyphs under Wine 8, so the dialogs stay in DejaVu Sans.)
if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
fi

# Visible windows whose title is exactly $1 (xdotool's own search ignores case).
find_titled() {
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    [ "$(xdotool getwindowname "$id")" = "$1" ] && echo "$id"
  done
  return 0
}
wait_titled() {  # title -> first window id, within 30 s
  for _ in $(seq 300); do
    found=$(find_titled "$1" | head -1)
    [ -n "$found" ] && { echo "$found"; return; }
    sleep 0.1
  done
}
wait_exit() {  # pid -> its status, within 20 s
  for _ in $(seq 200); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$1" 2>/dev/null && fail "the program did not end"
  local status=0
  wait "$1" || status=$?
  pid=
  return "$status"
}
shoot_window() {  # window id, PNG: the window's area of the screen
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
  # A black or single-coloured picture shows nothing drawn.
  [ "$(convert "$2" -format '%k' info:)" -gt 2 ] || fail "$2 shows nothing"
}
profile() { find "$WINEPREFIX/drive_c/users" -ipath '*/AppData/Roaming/Quorvane/Quorvane.ini' 2>/dev/null | head -1; }

# 1 and 2: start, then File > Exit.
mkdir -p "$work/good" && cp Quorvane.dat "$work/good/"
cd "$work/good"
wine "$program" & pid=$!
window=$(wait_titled Quorvane)
[ -n "$window" ] || fail "no main window"
sleep 1
shoot_window "$window" "$shots/start.png"
echo "ok: the window is shown ($shots/start.png)"
xdotool windowfocus --sync "$window"; sleep 0.3
xdotool key --window "$window" alt+f; sleep 0.5
xdotool key e
status=0; wait_exit "$pid" || status=$?
[ "$status" -eq 0 ] || fail "File > Exit ended with status $status"
ini=$(profile)
[ -n "$ini" ] || fail "no Quorvane\\Quorvane.ini in %APPDATA% after File > Exit"
tr -d '\r' <"$ini" >"$work/profile.ini"
grep -qx '\[Quorvaner\]' "$work/profile.ini" || fail "no section [Quorvaner] in $ini"
for key in XSize YSize C00 C01 C02; do
  grep -qE "^$key=-?[0-9]+\$" "$work/profile.ini" || fail "no integer $key in $ini"
done
echo "ok: File > Exit, status 0, profile ${ini#"$WINEPREFIX/"}: $(grep -v '^\[' "$work/profile.ini" | tr '\n' ' ')"
rm -f "$ini"

# The table beside the executable serves a folder that has none.
mkdir -p "$work/installed" "$work/elsewhere"
cp "$program" Quorvane.dat "$work/installed/"
cd "$work/elsewhere"
wine "$work/installed/quorvane.exe" & pid=$!
window=$(wait_titled Quorvane)
[ -n "$window" ] || fail "no main window with the table beside the executable"
xdotool windowfocus --sync "$window"; sleep 0.3
xdotool key --window "$window" alt+f; sleep 0.5
xdotool key e
status=0; wait_exit "$pid" || status=$?
[ "$status" -eq 0 ] || fail "File > Exit ended with status $status (table beside the executable)"
echo "ok: the table beside the executable is found from another folder"
rm -f "$(profile)"

# 3. Malformed table.
mkdir -p "$work/bad" && printf 'not a header\r\n' >"$work/bad/Quorvane.dat"
cd "$work/bad"
wine "$program" & pid=$!
box=$(wait_titled quorvane)
[ -n "$box" ] || fail "no message box captioned with the program's name"
sleep 1
[ -z "$(find_titled Quorvane)" ] || fail "main window shown before the table was read"
shoot_window "$box" "$shots/fatal.png"
xdotool windowfocus --sync "$box"; sleep 0.3
xdotool key Return
status=0; wait_exit "$pid" || status=$?
[ "$status" -eq 1 ] || fail "malformed table ended with status $status"
[ -z "$(profile)" ] || fail "profile written after a malformed table"
echo "ok: malformed table, message box without window, status 1 ($shots/fatal.png)"

# 4. Drop and Check, inside the window.
cd "$root"
wine "$helper" status "$(winepath -w "$work/status.txt")" >/dev/null 2>"$work/helper.log" ||
  fail "the helper failed: $(cat "$work/helper.log")"
status_text=$(tr -d '\r\n' <"$work/status.txt")
[ "$status_text" = "All File : 6  CheckFile : 5" ] || fail "status after drop and Check: \"$status_text\""
echo "ok: drop and Tool > Check give \"$status_text\""

# 5. A real drop from another program, Check, Auto Rename: the files on disk
# tell whether the paths came through whole.
mkdir -p "$work/dropped/folder" && cp Quorvane.dat "$work/dropped/"
printf '\x89PNG\r\n\x1a\n\0\0\0\rIHDR' >"$work/dropped/写真.jpg"
printf '%%PDF-1.4\n' >"$work/dropped/report.doc"
cd "$work/dropped"
wine "$program" & pid=$!
window=$(wait_titled Quorvane)
[ -n "$window" ] || fail "no main window for the drop"
xdotool windowmove --sync "$window" 0 0; xdotool windowsize --sync "$window" 700 250; sleep 0.5
/usr/bin/python3 "$root/scripts/drag-source.py" 800 500 写真.jpg report.doc folder & source=$!
source_window=$(wait_titled "Drag source")
[ -n "$source_window" ] || fail "the drag source did not open"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$source_window")"
xdotool mousemove $((X + 30)) $((Y + 20)) mousedown 1
for step in $(seq 20); do
  xdotool mousemove $((X + 30 - step * (X - 300) / 20)) $((Y + 20 - step * (Y - 120) / 20)); sleep 0.05
done
sleep 0.3; xdotool mouseup 1
wait "$source" 2>/dev/null || true
sleep 1
xdotool key --window "$window" alt+t; sleep 0.5; xdotool key c; sleep 1
# Auto Rename is the sixth item of Tool (it has no access key): Check, Select
# Mismatches, Next and Previous Mismatch, Rename One by One, Auto Rename. It
# is greyed while the check still runs: then it is asked again.
for _ in 1 2 3 4 5; do
  xdotool key --window "$window" ctrl+a; sleep 0.3
  xdotool key --window "$window" alt+t; sleep 0.5
  for _ in 1 2 3 4 5; do xdotool key Down; sleep 0.1; done
  sleep 0.2; xdotool key Return
  for _ in $(seq 40); do [ -f 写真.png ] && [ -f report.pdf ] && break 2; sleep 0.1; done
done
renamed=$(LC_ALL=C ls | tr '\n' ' ')
[ "$renamed" = "Quorvane.dat folder report.pdf 写真.png " ] || fail "after drop, Check and Auto Rename the folder holds: $renamed"
xdotool key --window "$window" alt+f; sleep 0.5
xdotool key e
wait_exit "$pid" || fail "File > Exit after the drop ended with a failure"
echo "ok: a real drop from another program, Check and Auto Rename give: $renamed"
cd "$root"

# 6. Explorer's "Check with Quorvane" on three selected files starts the
# verb's command once per file: one window takes all three and checks them,
# the other launches end at once with status 0. Select Mismatches and Auto
# Rename then rename both mis-named files, which only that window can know.
mkdir -p "$work/burst" && cp Quorvane.dat "$work/burst/"
printf '\x89PNG\r\n\x1a\n\0\0\0\rIHDR' >"$work/burst/picture.jpg"
printf '%%PDF-1.4\n' >"$work/burst/letter.doc"
printf '%%PDF-1.4\n' >"$work/burst/notes.pdf"
cd "$work/burst"
launches=()
for file in picture.jpg letter.doc notes.pdf; do
  wine "$program" --check "$(winepath -w "$work/burst/$file")" & launches+=($!)
done
window=$(wait_titled Quorvane)
[ -n "$window" ] || fail "no window for Check with Quorvane"
sleep 3
windows=$(find_titled Quorvane | wc -l)
[ "$windows" -eq 1 ] || fail "Check with Quorvane on three files opened $windows windows"
xdotool windowmove --sync "$window" 0 0; xdotool windowsize --sync "$window" 700 250; sleep 0.5
import -window "$window" "$shots/burst.png"
for _ in 1 2 3 4 5; do
  xdotool key --window "$window" ctrl+m; sleep 0.3
  xdotool key --window "$window" alt+t; sleep 0.5
  for _ in 1 2 3 4 5; do xdotool key Down; sleep 0.1; done
  sleep 0.2; xdotool key Return
  for _ in $(seq 40); do [ -f picture.png ] && [ -f letter.pdf ] && break 2; sleep 0.1; done
done
renamed=$(LC_ALL=C ls | tr '\n' ' ')
[ "$renamed" = "Quorvane.dat letter.pdf notes.pdf picture.png " ] ||
  fail "after Check with Quorvane on three files and Auto Rename the folder holds: $renamed"
xdotool key --window "$window" alt+f; sleep 0.5
xdotool key e
for launch in "${launches[@]}"; do
  wait_exit "$launch" || fail "a launch of Check with Quorvane ended with a failure"
done
echo "ok: Check with Quorvane on three files, one launch each: one window, $renamed($shots/burst.png)"
cd "$root"

# Screenshots, in a Wine desktop so the windows have frames. The helper names
# the area in OUT.rect and waits for OUT.done (the desktop sits at 0,0).
for scene in main rename about; do
  shot=$work/$scene.png
  timeout 60 wine explorer /desktop=shots,1024x768 "$helper" "$scene" "$(winepath -w "$shot")" \
    >/dev/null 2>&1 & pid=$!
  for _ in $(seq 300); do [ -s "$shot.rect" ] && break; sleep 0.1; done
  [ -s "$shot.rect" ] || fail "the helper named no area for $scene"
  sleep 0.3
  import -window root -crop "$(tr -d '\r\n' <"$shot.rect")" +repage "$shots/$scene.png"
  touch "$shot.done"
  wait_exit "$pid" || fail "the helper failed on $scene"
  [ "$(convert "$shots/$scene.png" -format '%k' info:)" -gt 2 ] || fail "$scene.png shows nothing"
done
echo "ok: screenshots in $shots (start fatal main rename about)"
if [ "${2:-}" = --docs ]; then
  cp "$shots/main.png" docs/windows-main-window.png
  echo "saved docs/windows-main-window.png"
fi
