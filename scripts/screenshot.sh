#!/usr/bin/env bash
# Starts the window program under Xvfb from the project root and saves PNG
# screenshots:
#   docs/main-window.png          the main window after a check of sample files
#   <build>/screenshots/*.png     first start without a profile, start-up error box,
#                                 after Select Mismatches, Rename File, the status line
#                                 after Auto Rename and after Undo, About, menu bar,
#                                 context menu, the Auto Rename report of 2,000 failures,
#                                 and ja-*.png: main window, Rename File, About, menu bar
#                                 and report in Japanese
# Usage: scripts/screenshot.sh [build-dir]   (also: make screenshot)
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
program="$build/window/quorvane"
helper="$build/dev/quorvane_screenshot_helper"
for binary in "$program" "$helper"; do
  [ -x "$binary" ] || { echo "missing $binary: build first (make build)" >&2; exit 1; }
done
out="$build/screenshots"
mkdir -p "$out" docs

export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
# A fresh profile, so the program opens at its default size.
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT

xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash -euo pipefail -c '
  program=$1 helper=$2 out=$3
  # The real program as a user starts it; the time until its window is mapped.
  start=$(date +%s%N)
  "$program" & pid=$!
  timeout 20 xdotool search --sync --onlyvisible --name "^Quorvane$" >/dev/null
  echo "start-up until the window is mapped: $(( ($(date +%s%N) - start) / 1000000 )) ms"
  sleep 0.5
  # The whole first window, at the size a start without a profile gives.
  eval "$(xdotool search --onlyvisible --name "^Quorvane$" getwindowgeometry --shell | tail -n +2)"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/start.png"
  kill "$pid"; wait "$pid" 2>/dev/null || true
  # Started from a folder without the table: the start-up error box, trimmed from the screen.
  empty=$(mktemp -d)
  (cd "$empty" && exec "$OLDPWD/$program") & pid=$!
  sleep 2
  import -window root "$out/error-screen.png"
  convert "$out/error-screen.png" -trim +repage "$out/error.png"
  rm -f "$out/error-screen.png"
  # The box waits for its OK; a close request is only noted until then.
  kill -KILL "$pid"; wait "$pid" 2>/dev/null || true
  rm -rf "$empty"
  # The same window on sample files, driven from inside.
  for scene in main mismatches rename autorename undo about menubar context report; do
    timeout 60 "$helper" "$scene" "$out/$scene.png"
  done
  # The same in Japanese.
  for scene in main rename about menubar report; do
    LANG=ja_JP.UTF-8 LANGUAGE=ja timeout 60 "$helper" "$scene" "$out/ja-$scene.png"
  done
' screenshot "$program" "$helper" "$out"

cp "$out/main.png" docs/main-window.png
echo "saved docs/main-window.png and $out/{start,error,main,mismatches,rename,autorename,undo,about,menubar,context,report}.png, $out/ja-{main,rename,about,menubar,report}.png"
