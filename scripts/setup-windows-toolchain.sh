#!/usr/bin/env bash
# Prepares everything the Windows build needs, once, and prints the cache
# folder that holds it:
#   - Debian's MinGW-w64 (posix threads), Wine, NSIS and the MinGW zlib;
#   - wxWidgets for MSW, static, built from Debian's source package;
#   - GoogleTest built with the cross compiler.
# The two builds live under QUORVANE_WINDOWS_CACHE (default
# /var/cache/quorvane-windows), in folders named after the wx version, the
# configure options and the compiler, so a change of any of them builds anew.
set -euo pipefail

cache=${QUORVANE_WINDOWS_CACHE:-/var/cache/quorvane-windows}
host=x86_64-w64-mingw32
packages=(g++-mingw-w64-x86-64-posix wine64 wine fonts-wine libz-mingw-w64-dev nsis
          zip unzip dpkg-dev xvfb xauth xdotool imagemagick fonts-ipafont-gothic
          python3-gi gir1.2-gtk-3.0)

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}" >&2
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi

wx_version=3.2.2
wx_options=(--with-msw --disable-shared --enable-unicode
  --without-libpng --without-libjpeg --without-libtiff --without-expat --with-zlib=sys
  --without-regex --without-liblzma --without-libcurl --without-opengl --without-libmspack
  --disable-svg --disable-xrc --disable-html --disable-htmlhelp --disable-aui --disable-stc
  --disable-richtext --disable-propgrid --disable-ribbon --disable-webview --disable-mediactrl
  --disable-sockets --disable-ipc --disable-protocols --disable-url --disable-fs_inet
  --disable-webrequest --disable-debugreport --disable-mshtmlhelp --disable-secretstore
  --disable-tests)
compiler=$($host-g++-posix -dumpfullversion)
key=$(printf '%s\n' "$wx_version" "$compiler" "${wx_options[@]}" | sha256sum | cut -c1-12)
wx_prefix=$cache/wx-$wx_version-$key
gtest_prefix=$cache/gtest-$compiler

"${sudo[@]}" mkdir -p "$cache"
[ -w "$cache" ] || "${sudo[@]}" chown "$(id -u):$(id -g)" "$cache"

# A prefix counts only once its build has finished: wx-config holds its
# absolute path, so it is installed in place and marked complete at the end.
if [ ! -f "$wx_prefix/.complete" ]; then
  work=$(mktemp -d "$cache/wx-build.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  if ! grep -rqsE '^(Types:.*deb-src|deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    # apt-get source needs source entries; copy the binary ones.
    for list in /etc/apt/sources.list.d/*.sources; do
      [ -f "$list" ] || continue
      sed 's/^Types: deb$/Types: deb-src/' "$list" |
        "${sudo[@]}" tee "/etc/apt/sources.list.d/quorvane-src-$(basename "$list")" >/dev/null
    done
    "${sudo[@]}" apt-get update -qq
  fi
  echo "Building wxWidgets $wx_version for MSW (about 12 minutes on 2 cores)" >&2
  (cd "$work" && apt-get source -qq wxwidgets3.2 >&2)
  src=$(find "$work" -maxdepth 1 -type d -name 'wxwidgets3.2-*' | head -1)
  mkdir -p "$work/build"
  (cd "$work/build" &&
   "$src/configure" --host=$host --build=x86_64-pc-linux-gnu --prefix="$wx_prefix" \
     CC=$host-gcc-posix CXX=$host-g++-posix "${wx_options[@]}" >configure.log 2>&1 ||
     { tail -40 configure.log >&2; exit 1; }
   make -j"$(nproc)" >make.log 2>&1 || { tail -40 make.log >&2; exit 1; }
   rm -rf "$wx_prefix" && make install >/dev/null)
  touch "$wx_prefix/.complete"
  rm -rf "$work"
  trap - EXIT
fi

if [ ! -f "$gtest_prefix/lib/libgtest.a" ]; then
  echo "Building GoogleTest for MinGW" >&2
  work=$(mktemp -d "$cache/gtest-build.XXXXXX")
  cmake -S /usr/src/googletest -B "$work" -DCMAKE_SYSTEM_NAME=Windows \
    -DCMAKE_C_COMPILER=$host-gcc-posix -DCMAKE_CXX_COMPILER=$host-g++-posix \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest_prefix.partial" \
    -Dgtest_disable_pthreads=OFF >/dev/null
  cmake --build "$work" -j"$(nproc)" >/dev/null
  cmake --install "$work" >/dev/null
  rm -rf "$gtest_prefix" "$work"
  mv "$gtest_prefix.partial" "$gtest_prefix"
fi

echo "WX_PREFIX=$wx_prefix"
echo "GTEST_PREFIX=$gtest_prefix"
