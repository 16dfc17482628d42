#!/usr/bin/env bash
# The installer under Wine: a silent install for the current user leaves both
# programs runnable with their table beside them and a Start-menu shortcut;
# a silent uninstall takes all of it away again.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath "${1:-build-windows}")
version=$(sed -n 's/^project(Quorvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
setup=$out/quorvane-$version-setup.exe
source scripts/wine-env.sh
wine_prefix_start

local_app_data=$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
programs=$(winepath -u "$local_app_data\\Programs\\Quorvane")
start_menu=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs")

wine "$setup" /S
for file in quorvane.exe quorvane-check.exe Quorvane.dat README.txt html/index.htm uninstall.exe; do
  [ -f "$programs/$file" ] || { echo "FAIL  the installer did not install $file"; exit 1; }
done
[ -f "$start_menu/Quorvane.lnk" ] || { echo "FAIL  no Start-menu shortcut"; exit 1; }
echo "ok    silent install into $local_app_data\\Programs\\Quorvane, with a Start-menu shortcut"

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
echo "ok    silent uninstall removed the programs and the shortcut"
