#!/usr/bin/env bash
# The built program itself, driven with xdotool under the display ctest runs in:
#  1. File > Exit through its access keys ends it with status 0 and writes the profile;
#  2. a malformed Quorvane.dat shows one message box captioned "quorvane" while
#     no main window is mapped; OK ends it with status 1 and no profile is written;
#  3. SIGTERM, SIGINT and SIGHUP close the window as its close box does: status 0
#     and the profile written, also with a dialog or a question open.
# Usage: program_exit_test.sh PROGRAM
set -uo pipefail
program=$(realpath "$1")
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
fail() { echo "FAIL: $*" >&2; exit 1; }

# Visible windows whose title is exactly $1 (xdotool's own search ignores case).
find_titled() {
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    [ "$(xdotool getwindowname "$id")" = "$1" ] && echo "$id"
  done
}
wait_titled() {  # title -> first window id, within 15 s
  for _ in $(seq 150); do
    found=$(find_titled "$1" | head -1)
    [ -n "$found" ] && { echo "$found"; return; }
    sleep 0.1
  done
}

wait_exit() {  # pid -> status, within 10 s
  for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$1" 2>/dev/null && fail "the program did not end"
  wait "$1"
}

# 1. Normal end.
mkdir -p "$work/good" && cp Quorvane.dat "$work/good/"
cd "$work/good"
XDG_CONFIG_HOME="$work/good/config" "$program" & pid=$!
window=$(wait_titled Quorvane)
[ -n "$window" ] || fail "no main window"
xdotool windowfocus --sync "$window"; sleep 0.3
xdotool key alt+f; sleep 0.3; xdotool key e
wait_exit "$pid"; status=$?
[ "$status" -eq 0 ] || fail "File > Exit ended with status $status"
grep -q '^XSize=' "$work/good/config/Quorvane.conf" || fail "profile not written on exit"

# 2. Malformed signature file.
mkdir -p "$work/bad" && printf 'not a header\r\n' > "$work/bad/Quorvane.dat"
cd "$work/bad"
XDG_CONFIG_HOME="$work/bad/config" "$program" & pid=$!
box=$(wait_titled quorvane)
[ -n "$box" ] || fail "no message box captioned with the program's name"
[ -z "$(find_titled Quorvane)" ] || fail "main window shown before the table was read"
xdotool windowfocus --sync "$box"; sleep 0.3
xdotool key Return
wait_exit "$pid"; status=$?
[ "$status" -eq 1 ] || fail "malformed table ended with status $status"
[ ! -e "$work/bad/config" ] || fail "profile touched"

# 3. Signals. With job control on, a background job does not start with SIGINT
# ignored, as it otherwise would in a script.
set -m
# signal, what is open when it comes (nothing, the About box, a Yes/No question
# that must be answered first)
while read -r signal open; do
  case_dir="$work/signal-$signal-$open"
  mkdir -p "$case_dir" && cp "$work/good/Quorvane.dat" "$case_dir/"
  cd "$case_dir"
  XDG_CONFIG_HOME="$case_dir/config" "$program" & pid=$!
  window=$(wait_titled Quorvane)
  [ -n "$window" ] || fail "no main window ($signal, $open)"
  xdotool windowfocus --sync "$window"; sleep 0.3
  case $open in
    about) xdotool key alt+a; sleep 0.3; xdotool key a
           [ -n "$(wait_titled 'About Quorvane')" ] || fail "no About box" ;;
    question) xdotool key alt+f; sleep 0.3; xdotool key n
              box=$(wait_titled 'List Create'); [ -n "$box" ] || fail "no question" ;;
  esac
  kill -s "$signal" "$pid"
  if [ "$open" = question ]; then
    sleep 0.5
    kill -0 "$pid" 2>/dev/null || fail "SIG$signal ended the program under an open question"
    xdotool windowfocus --sync "$box"; sleep 0.3; xdotool key Escape
  fi
  wait_exit "$pid"; status=$?
  [ "$status" -eq 0 ] || fail "SIG$signal ($open open) ended with status $status"
  grep -q '^XSize=' "$case_dir/config/Quorvane.conf" || fail "profile not written on SIG$signal ($open open)"
done <<'CASES'
TERM nothing
INT nothing
HUP nothing
TERM about
TERM question
CASES
echo "ok"
