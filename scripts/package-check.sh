#!/usr/bin/env bash
# Builds the Debian package, installs it with apt (dependencies from Debian),
# tries the installed programs from a folder that holds no Quorvane.dat, and
# purges the package again. Prints PASS/FAIL/SKIP per step and the total time;
# exits 1 when a step failed.
#
#   scripts/package-check.sh [BUILD]     BUILD: build folder, default "build"
#
# Needs root (or sudo) for apt-get, and xvfb, xauth, xdotool for the window.
set -uo pipefail

if [ "${1:-}" = "--window-step" ]; then
    # Runs inside xvfb-run: start the program, wait for its window, close it
    # the way a window manager's close box does, report what happened.
    shift
    exec_dir=$1 config_dir=$2
    cd "$exec_dir" || exit 90
    GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1 XDG_CONFIG_HOME="$config_dir" quorvane &
    pid=$!
    shown_since=$(date +%s%N)
    window=
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name '^Quorvane$' 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$window" ]; then
        echo "no window named Quorvane appeared within 10 s"
        kill -TERM "$pid" 2>/dev/null
        wait "$pid"
        exit 91
    fi
    echo "window $window appeared after $((($(date +%s%N) - shown_since) / 1000000)) ms"
    # Without a window manager nobody turns a close request into
    # WM_DELETE_WINDOW, so send that message ourselves.
    python3 - "$window" <<'PY' || exit 92
import ctypes, sys
x11 = ctypes.CDLL("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
event = Event()
event.xclient.type = 33  # ClientMessage
event.xclient.window = int(sys.argv[1])
event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
event.xclient.data[1] = 0  # CurrentTime
if not x11.XSendEvent(display, event.xclient.window, 0, 0, ctypes.byref(event)):
    sys.exit("XSendEvent failed")
x11.XFlush(display)
x11.XCloseDisplay(display)
PY
    echo "sent WM_DELETE_WINDOW"
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "still running 10 s after the close request"
        kill -TERM "$pid" 2>/dev/null
        wait "$pid"
        exit 93
    fi
    wait "$pid"
    status=$?
    echo "exit status $status"
    exit "$status"
fi

build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
case $build in /*) ;; *) build=$root/$build ;; esac
work=$(mktemp -d /tmp/quorvane-package-check.XXXXXX)
log=$work/log
started=$(date +%s%N)
failed=0
installed_by_us=0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
apt_get() { DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get "$@"; }

step_started=
begin() { step_started=$(date +%s%N); }
elapsed() { local tenths=$((($(date +%s%N) - $1) / 100000000)); echo "$((tenths / 10)).$((tenths % 10))"; }
pass() { echo "PASS  $1 ($(elapsed "$step_started") s)"; }
fail() { echo "FAIL  $1"; shift; for line in "$@"; do echo "      $line"; done; failed=1; }
skip() { echo "SKIP  $1"; }
show_log() { tail -n "${1:-15}" "$log" | sed 's/^/      | /'; }

purge() {
    begin
    if apt_get purge -y quorvane >"$log" 2>&1 && ! dpkg-query -W quorvane >/dev/null 2>&1 &&
       [ ! -e /usr/bin/quorvane-check ] && [ ! -e /usr/share/quorvane ]; then
        pass "apt-get purge quorvane"
    else
        fail "apt-get purge quorvane" "package or its files still present"; show_log
    fi
    installed_by_us=0
}

finish() {
    [ "$installed_by_us" -eq 1 ] && purge
    echo "Total time: $(elapsed "$started") s"
    rm -rf "$work"
    if [ "$failed" -eq 0 ]; then echo "package-check: PASS"; exit 0; fi
    echo "package-check: FAIL"
    exit 1
}

for tool in dpkg-deb apt-get make; do
    command -v "$tool" >/dev/null || { fail "tools" "$tool is missing"; finish; }
done

# 1. The package.
begin
if make -C "$root" --no-print-directory package BUILD="$build" >"$log" 2>&1; then
    deb=$(ls -t "$build"/quorvane_*_amd64.deb 2>/dev/null | head -n 1)
fi
if [ -n "${deb:-}" ] && [ -f "$deb" ]; then
    pass "build package $(basename "$deb")"
    echo "      Version:    $(dpkg-deb -f "$deb" Version)"
    echo "      Depends:    $(dpkg-deb -f "$deb" Depends)"
    echo "      Recommends: $(dpkg-deb -f "$deb" Recommends)"
else
    fail "build package"; show_log; finish
fi

begin
if ! command -v lintian >/dev/null; then
    fail "lintian" "lintian is missing (scripts/setup-deps.sh package)"
elif lintian --fail-on error,warning "$deb" >"$log" 2>&1 &&
     ! grep -q '^[EW]:' "$log"; then
    pass "lintian: no error or warning (overrides with their reasons in packaging/lintian-overrides)"
else
    fail "lintian"; show_log
fi

# 2. Install with the package manager.
begin
if dpkg-query -W -f='${Status}' quorvane 2>/dev/null | grep -q 'install ok installed'; then
    apt_get purge -y quorvane >"$log" 2>&1  # an equal version would not be unpacked again
fi
if apt_get install -y "$deb" >"$log" 2>&1 ||
   { apt_get update -qq >>"$log" 2>&1 && apt_get install -y "$deb" >>"$log" 2>&1; }; then
    installed_by_us=1
    pass "apt-get install $(basename "$deb")"
else
    fail "apt-get install $(basename "$deb")"; show_log; finish
fi

trap 'echo "interrupted"; failed=1; finish' INT TERM

# 3. The installed tree.
begin
missing=()
for path in /usr/bin/quorvane-check /usr/share/quorvane/Quorvane.dat /usr/share/quorvane/html/index.htm \
            /usr/share/quorvane/html/index.ja.htm /usr/share/quorvane/html/help.css \
            /usr/share/applications/quorvane.desktop /usr/share/man/man1/quorvane.1.gz \
            /usr/share/man/man1/quorvane-check.1.gz /usr/share/metainfo/example.quorvane.Quorvane.metainfo.xml \
            /usr/share/kio/servicemenus/quorvane-check.desktop /usr/share/nemo/actions/quorvane-check.nemo_action \
            /usr/share/quorvane/check-with-quorvane.nautilus-script /usr/share/doc/quorvane/copyright; do
    [ -f "$path" ] || missing+=("$path")
done
for size in 16 32 48 64 128 256; do
    [ -f "/usr/share/icons/hicolor/${size}x${size}/apps/quorvane.png" ] ||
        missing+=("/usr/share/icons/hicolor/${size}x${size}/apps/quorvane.png")
done
desktop_path=$(sed -n 's/^Path=//p' /usr/share/applications/quorvane.desktop 2>/dev/null)
if [ ${#missing[@]} -ne 0 ]; then
    fail "installed files" "missing: ${missing[*]}"
elif [ "$desktop_path" != /usr/share/quorvane ]; then
    fail "installed files" "desktop entry Path=$desktop_path, want /usr/share/quorvane"
else
    pass "installed files (programs, table, help page, desktop entry Path=$desktop_path, metainfo, file-manager entries, 6 icons, 2 man pages)"
fi

begin
if ! command -v desktop-file-validate >/dev/null; then
    skip "desktop entry validation (desktop-file-validate not installed)"
elif desktop-file-validate /usr/share/applications/quorvane.desktop >"$log" 2>&1 && [ ! -s "$log" ]; then
    pass "desktop-file-validate quorvane.desktop"
else
    fail "desktop-file-validate quorvane.desktop"; show_log
fi

begin
if ! command -v appstreamcli >/dev/null; then
    fail "appstreamcli validate" "appstreamcli is missing (scripts/setup-deps.sh test)"
elif appstreamcli validate --no-net --explain /usr/share/metainfo/example.quorvane.Quorvane.metainfo.xml >"$log" 2>&1 &&
     ! grep -q '^[EW]:' "$log"; then
    pass "appstreamcli validate: no error or warning"
else
    fail "appstreamcli validate"; show_log
fi

# 4. quorvane-check from a folder without Quorvane.dat.
samples=$work/samples
mkdir -p "$samples"
printf '\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01\0\0\0\x01\x08\x06\0\0\0\x1f\x15\xc4\x89' >"$samples/photo.gif"
printf '%%PDF-1.4\n1 0 obj\n<< /Type /Catalog >>\nendobj\ntrailer\n<< /Root 1 0 R >>\n%%%%EOF\n' >"$samples/report.pdf"
begin
output=$(cd "$samples" && quorvane-check photo.gif report.pdf 2>&1)
status=$?
line1=$(sed -n 1p <<<"$output")
line2=$(sed -n 2p <<<"$output")
if [ "$(command -v quorvane-check)" != /usr/bin/quorvane-check ]; then
    fail "quorvane-check on samples" "quorvane-check resolves to $(command -v quorvane-check)"
elif [ $status -eq 0 ] && [[ $line1 == $'mismatch\tphoto.gif\t'*'; png' ]] && [[ $line2 == $'match\treport.pdf\t' ]]; then
    pass "quorvane-check with the installed table: PNG named .gif is mismatch, PDF is match"
else
    fail "quorvane-check on samples" "exit status $status, output:" "$output"
fi

begin
cat >"$samples/Quorvane.dat" <<'EOF'
< File ID Data - V001 2026/12/07 >
a table of this folder's own
0,89504E47,0,,Local picture,lpic
EOF
output=$(cd "$samples" && quorvane-check photo.gif report.pdf 2>&1)
rm "$samples/Quorvane.dat"
if [ "$output" = $'mismatch\tphoto.gif\tLocal picture; lpic\nunknown\treport.pdf\t' ]; then
    pass "a Quorvane.dat in the current folder wins over the installed one"
else
    fail "a Quorvane.dat in the current folder wins over the installed one" "output:" "$output"
fi

begin
output=$(cd "$samples" && quorvane-check --data no-such.dat photo.gif 2>&1)
status=$?
if [ $status -eq 1 ] && [ "$output" = "ファイル [no-such.dat] が開けません." ]; then
    pass "a missing table ends with status 1 and the message naming it"
else
    fail "a missing table ends with status 1 and the message naming it" "exit status $status, output:" "$output"
fi

# 5. Manual pages.
begin
if ! command -v man >/dev/null; then
    skip "man -w (man-db not installed)"
else
    pages=$(man -w quorvane 2>&1; man -w quorvane-check 2>&1)
    if [ "$pages" = $'/usr/share/man/man1/quorvane.1.gz\n/usr/share/man/man1/quorvane-check.1.gz' ]; then
        pass "man -w quorvane, quorvane-check"
    else
        fail "man -w quorvane, quorvane-check" "$pages"
    fi
fi

# 6. The window program under Xvfb.
begin
if [ ! -x /usr/bin/quorvane ]; then
    skip "window program (the package holds no bin/quorvane)"
elif ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null || ! command -v xauth >/dev/null; then
    fail "window program" "needs xvfb, xauth and xdotool (scripts/setup-deps.sh test)"
else
    config=$work/config
    mkdir -p "$config" "$work/empty"
    xvfb-run -a -s '-screen 0 1024x768x24' "$0" --window-step "$work/empty" "$config" >"$log" 2>&1
    status=$?
    if [ $status -ne 0 ]; then
        fail "window appears, closes with status 0" "status $status"; show_log
    elif ! grep -qs '^\[Quorvaner\]' "$config/Quorvane.conf" || ! grep -qs '^XSize=' "$config/Quorvane.conf"; then
        fail "profile written on close" "no [Quorvaner] section with XSize in $config/Quorvane.conf"; show_log
    else
        pass "window appears from a folder without Quorvane.dat, closes on WM_DELETE_WINDOW with status 0, writes Quorvane.conf"
        show_log 5
    fi
fi

# 7. Uninstall (finish purges what this run installed).
finish
