#!/usr/bin/env bash
# Cross-builds the Windows zip on Debian, into BUILD_DIR (build-windows by
# default): BUILD_DIR/morvellant-<version>-windows-x64.zip.
#   tools/build-windows.sh [BUILD_DIR] [JOBS]
# freeglut has no MinGW package: it is built as a static library from
# Debian's own source package, once, and kept in BUILD_DIR/freeglut.
set -eu
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build-windows}")
jobs="${2:-2}"
toolchain="$PWD/cmake/mingw-w64-x86_64.cmake"
deps="$out/freeglut"
prefix="$deps/install"
bash tools/install-windows-deps.sh build

if [ ! -f "$prefix/lib/cmake/FreeGLUT/FreeGLUTConfig.cmake" ]; then
  echo "building freeglut from Debian's source package"
  rm -rf "$deps"
  apt="$deps/apt"
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
  options=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/sources.list.d"
           -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root)
  apt-get "${options[@]}" update -qq >/dev/null
  (cd "$deps" && apt-get "${options[@]}" source -qq freeglut >/dev/null 2>&1) \
    || { echo "apt-get source freeglut failed: does this machine have Debian's apt sources?" >&2; exit 1; }
  source_dir=$(find "$deps" -mindepth 1 -maxdepth 1 -type d -name 'freeglut-*' | head -n 1)
  # Its own warnings stay in its log, shown only if the build fails.
  { cmake -S "$source_dir" -B "$deps/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
      -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=ON -DFREEGLUT_BUILD_DEMOS=OFF \
      -DFREEGLUT_REPLACE_GLUT=ON -DCMAKE_INSTALL_PREFIX="$prefix" \
    && cmake --build "$deps/build" -j "$jobs" && cmake --install "$deps/build"; } >"$deps/build.log" 2>&1 \
    || { tail -n 30 "$deps/build.log"; echo "freeglut did not build: see $deps/build.log" >&2; exit 1; }
fi

# The programs and the zip; the checks of the Windows build run under Wine (tests/windows/).
cmake -S . -B "$out/game" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
  -DFreeGLUT_DIR="$prefix/lib/cmake/FreeGLUT"
cmake --build "$out/game" -j "$jobs"
(cd "$out/game" && cpack -G ZIP >/dev/null)
mv "$out"/game/morvellant-*-windows-x64.zip "$out/"
ls -l "$out"/morvellant-*-windows-x64.zip
