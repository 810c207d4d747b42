#!/usr/bin/env bash
# Installs what the Windows build needs when it is missing (`build`: the
# MinGW-w64 cross compilers and headers, CMake, and dpkg-dev to unpack
# freeglut's source package), or what running it under Wine needs as well
# (`check`): quietly, and only when we are root.
set -eu
need=()
command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || need+=(g++-mingw-w64-x86-64-posix)
command -v x86_64-w64-mingw32-gcc-posix >/dev/null 2>&1 || need+=(gcc-mingw-w64-x86-64-posix)
[ -f /usr/x86_64-w64-mingw32/include/GL/glu.h ] || need+=(mingw-w64-x86-64-dev)
command -v cmake >/dev/null 2>&1 || need+=(cmake)
command -v dpkg-source >/dev/null 2>&1 || need+=(dpkg-dev)
if [ "${1:-build}" = check ]; then
  [ -x /usr/lib/wine/wine64 ] || need+=(wine64)  # Debian keeps it off the PATH
  command -v unzip >/dev/null 2>&1 || need+=(unzip)
  command -v xvfb-run >/dev/null 2>&1 || need+=(xvfb xauth)
  command -v xdotool >/dev/null 2>&1 || need+=(xdotool)
  [ -x /usr/bin/import ] || need+=(imagemagick)
fi
exec bash "$(dirname "$0")/install-missing.sh" "for the Windows build" "${need[@]}"
