#!/usr/bin/env bash
# The installer under Wine: a silent install for the current user leaves both
# programs runnable with their table beside them, a Start-menu shortcut, a
# "Send to" shortcut and "Check with Quorvane" in Explorer's context menus; a
# silent uninstall takes all of it away again.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath "${1:-build-windows}")
version=$(sed -n 's/^project(Quorvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
setup=$out/quorvane-$version-setup.exe
source scripts/wine-env.sh
wine_prefix_start

local_app_data=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
programs=$(winepath -u "$local_app_data\\Programs\\Quorvane")
app_data=$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')
start_menu=$(winepath -u "$app_data\\Microsoft\\Windows\\Start Menu\\Programs")
send_to=$(winepath -u "$app_data\\Microsoft\\Windows\\SendTo")
verbs=('HKCU\Software\Classes\Directory\shell\Quorvane.Check'
       'HKCU\Software\Classes\Directory\Background\shell\Quorvane.Check'
       'HKCU\Software\Classes\*\shell\Quorvane.Check')
# The command a context-menu verb runs, or nothing when the key is missing.
verb_command() { wine reg query "$1\command" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p'; }

wine "$setup" /S
for file in quorvane.exe quorvane-check.exe Quorvane.dat README.txt html/index.htm html/index.ja.htm html/help.css locale/ja/LC_MESSAGES/quorvane.mo uninstall.exe; do
  [ -f "$programs/$file" ] || { echo "FAIL  the installer did not install $file"; exit 1; }
done
[ -f "$start_menu/Quorvane.lnk" ] || { echo "FAIL  no Start-menu shortcut"; exit 1; }
echo "ok    silent install into $local_app_data\\Programs\\Quorvane, with a Start-menu shortcut"

installed_exe="$local_app_data\\Programs\\Quorvane\\quorvane.exe"
for verb in "${verbs[@]}"; do
  command=$(verb_command "$verb")
  argument='"%1"'
  [[ $verb == *Background* ]] && argument='"%V"'
  [ "$command" == "\"$installed_exe\" --check $argument" ] ||
    { echo "FAIL  $verb\\command is: $command"; exit 1; }
  wine reg query "$verb" /v MUIVerb 2>/dev/null | grep -q 'Check with Quorvane' ||
    { echo "FAIL  $verb is not named Check with Quorvane"; exit 1; }
done
[ -f "$send_to/Quorvane.lnk" ] || { echo "FAIL  no Send to shortcut"; exit 1; }
echo "ok    Check with Quorvane for folders, a folder's background and all files; a Send to shortcut"

# Run from elsewhere, the installed checker finds the table beside itself.
sample=$(mktemp -d)
printf '%%PDF-1.4\n' >"$sample/report.doc"
verdict=$(cd "$sample" && wine "$programs/quorvane-check.exe" report.doc)
rm -rf "$sample"
[ "$verdict" == "$(printf 'mismatch\treport.doc\tPDF document; pdf')" ] ||
  { echo "FAIL  the installed quorvane-check.exe gave: $verdict"; exit 1; }
echo "ok    the installed quorvane-check.exe runs with the installed table"

# The uninstaller copies itself away and returns at once: wait for it.
wine "$programs/uninstall.exe" /S
for _ in $(seq 100); do [ -e "$programs" ] || break; sleep 0.2; done
[ ! -e "$programs" ] || { echo "FAIL  the uninstaller left $(ls -R "$programs")"; exit 1; }
[ ! -e "$start_menu/Quorvane.lnk" ] || { echo "FAIL  the uninstaller left the shortcut"; exit 1; }
[ ! -e "$send_to/Quorvane.lnk" ] || { echo "FAIL  the uninstaller left the Send to shortcut"; exit 1; }
for verb in "${verbs[@]}"; do
  ! wine reg query "$verb" >/dev/null 2>&1 || { echo "FAIL  the uninstaller left $verb"; exit 1; }
done
echo "ok    silent uninstall removed the programs, the shortcuts and the context-menu entries"
