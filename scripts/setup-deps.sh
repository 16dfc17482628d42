#!/usr/bin/env bash
# Installs the Debian packages a task needs, only those that are missing.
#   setup-deps.sh build   compiler, CMake, wxWidgets, GoogleTest
#   setup-deps.sh test    the above, plus Xvfb and the tools the tests drive
#   setup-deps.sh run     the above for building, plus a Japanese font
#   setup-deps.sh package the test packages, plus lintian for the package check
set -euo pipefail

build=(build-essential cmake pkg-config libwxgtk3.2-dev libgtest-dev zlib1g-dev gettext)
test=("${build[@]}" xvfb xauth xdotool imagemagick clang libclang-rt-14-dev fonts-ipafont-gothic desktop-file-utils appstream man-db)
package=("${test[@]}" lintian)
run=("${build[@]}" fonts-ipafont-gothic xdg-utils)

case "${1:-build}" in
  build) wanted=("${build[@]}") ;;
  test) wanted=("${test[@]}") ;;
  run) wanted=("${run[@]}") ;;
  package) wanted=("${package[@]}") ;;
  *) echo "usage: $0 build|test|run|package" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
