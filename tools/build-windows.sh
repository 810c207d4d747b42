#!/usr/bin/env bash
# Cross-builds the Windows zip on Debian, into BUILD_DIR (build-windows by
# default): BUILD_DIR/morvellant-<version>-windows-x64.zip.
#   tools/build-windows.sh [BUILD_DIR] [JOBS]
# freeglut, zlib and libpng have no MinGW package: each is built as a static
# library from Debian's own source package, once, and kept in BUILD_DIR/NAME.
set -eu
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build-windows}")
jobs="${2:-2}"
toolchain="$PWD/cmake/mingw-w64-x86_64.cmake"
bash tools/install-windows-deps.sh build

# Builds Debian's source package NAME as a static library, once, into
# BUILD_DIR/NAME/install, with BUILDER (below): its CMake options follow.
from_source() {
  local name="$1" builder="$2"; shift 2
  local deps="$out/$name"
  local prefix="$deps/install"
  [ -f "$deps/built" ] && return 0
  echo "building $name from Debian's source package"
  rm -rf "$deps"
  local apt="$deps/apt"
  mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache"
  # Source entries for the machine's own apt sources, in a private place:
  # the same stanzas and lines as deb-src (deb822 .sources, one-line .list).
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
      /(^|\n)Types:[^\n]*[ \t]deb([ \t\n]|$)/ && !/(^|\n)Enabled:[ \t]*no/ {
        sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$f" >"$apt/sources.list.d/${f##*/}"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -e "$f" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f"
  done >"$apt/sources.list"
  local options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/sources.list.d"
                 -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root)
  apt-get "${options[@]}" update -qq >/dev/null
  # The newest version first; the mirror may serve an older one only (a
  # security update's sources can be missing from it).
  (cd "$deps" && for version in "" $(apt-cache "${options[@]}" showsrc "$name" | sed -n 's/^Version: //p' \
      | sort -r -V -u); do
     apt-get "${options[@]}" source -qq "$name${version:+=$version}" >/dev/null 2>&1 && exit 0
   done; exit 1) \
    || { echo "apt-get source $name failed: does this machine have Debian's apt sources?" >&2; exit 1; }
  local source_dir
  source_dir=$(find "$deps" -mindepth 1 -maxdepth 1 -type d ! -name apt | head -n 1)
  # Its own warnings stay in its log, shown only if the build fails.
  "$builder" "$source_dir" "$deps/build" "$prefix" "$@" >"$deps/build.log" 2>&1 \
    || { tail -n 30 "$deps/build.log"; echo "$name did not build: see $deps/build.log" >&2; exit 1; }
  touch "$deps/built"
}

# Builders: SOURCE BUILD PREFIX [CMAKE OPTIONS...]
cmake_install() {
  cmake -S "$1" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$3" "${@:4}" && cmake --build "$2" -j "$jobs" && cmake --install "$2"
}
# zlib's DLL needs a resource file that Debian's sources leave out: only the
# static library is built, and put in place with the headers by hand.
zlib_static() {
  cmake -S "$1" -B "$2" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    && cmake --build "$2" -j "$jobs" --target zlibstatic \
    && mkdir -p "$3/lib" "$3/include" && cp "$2/libzlibstatic.a" "$3/lib/" \
    && cp "$1/zlib.h" "$2/zconf.h" "$3/include/"
}

# The level checker's PNG library, and the zlib it links, are named outright:
# they lie outside the MinGW sysroot, and zlib's DLL would be found first.
from_source freeglut cmake_install -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON -DFREEGLUT_BUILD_DEMOS=OFF \
  -DFREEGLUT_REPLACE_GLUT=ON
from_source zlib zlib_static
zlib=(-DZLIB_INCLUDE_DIR="$out/zlib/install/include" -DZLIB_LIBRARY="$out/zlib/install/lib/libzlibstatic.a")
from_source libpng1.6 cmake_install -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF "${zlib[@]}"

# The programs and the zip; the checks of the Windows build run under Wine (tests/windows/).
cmake -S . -B "$out/game" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DFreeGLUT_DIR="$out/freeglut/install/lib/cmake/FreeGLUT" -DPNG_PNG_INCLUDE_DIR="$out/libpng1.6/install/include" -DPNG_LIBRARY="$out/libpng1.6/install/lib/libpng16.a" "${zlib[@]}"
cmake --build "$out/game" -j "$jobs"
(cd "$out/game" && cpack -G ZIP >/dev/null)
mv "$out"/game/morvellant-*-windows-x64.zip "$out/"
ls -l "$out"/morvellant-*-windows-x64.zip
