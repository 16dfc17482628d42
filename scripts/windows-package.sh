#!/usr/bin/env bash
# Packs the cross-built Windows programs in the given build folder (default
# build-windows): quorvane-<version>-win64.zip, a folder to use as it is, and
# quorvane-<version>-setup.exe, the per-user installer.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-build-windows}
version=$(sed -n 's/^project(Quorvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=quorvane-$version-win64
stage=$out/package/$name

rm -rf "$out/package"
mkdir -p "$stage/html"
for program in quorvane quorvane-check; do
  x86_64-w64-mingw32-strip -o "$stage/$program.exe" "$out/$program.exe"
done
cp Quorvane.dat "$stage/"
cp html/index.htm html/index.ja.htm html/help.css "$stage/html/"
# The window's translations, found in locale\ beside the program.
cp -r "$out/locale" "$stage/"
# Windows editors expect CR LF.
sed 's/$/\r/' packaging/windows/README.txt >"$stage/README.txt"

rm -f "$out/$name.zip"
(cd "$out/package" && zip -qr -X "../$name.zip" "$name")
makensis -V2 -DVERSION="$version" -DSTAGE="$(realpath "$stage")" \
  -DOUTFILE="$(realpath "$out")/quorvane-$version-setup.exe" packaging/windows/quorvane.nsi
ls -l "$out/$name.zip" "$out/quorvane-$version-setup.exe"
