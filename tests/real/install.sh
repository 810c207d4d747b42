#!/usr/bin/env bash
# The game as a player installs it: install into a temporary prefix, start the
# installed binary from /, play, and quit from the title with status 0.
set -u
build="$1"
source_dir="$2"
prefix=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$prefix" "$log"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null' EXIT

. "$(dirname "$0")/lib.sh"

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
for f in bin/morvellant bin/morvellant-levelcheck share/morvellant/Content/city1.troklevel \
         share/applications/morvellant.desktop share/icons/hicolor/64x64/apps/morvellant.png; do
  [ -e "$prefix/$f" ] || fail "not installed: $f"
done
echo "ok: installed files present"

if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$prefix/share/applications/morvellant.desktop" || fail "desktop entry invalid"
  echo "ok: desktop entry validates"
fi

start_game "$prefix/bin/morvellant"

# Credits -> title -> playing: the level's size line proves the installed
# game found its Content through the ../share/morvellant lookup.
tap space
tap space
wait_for_line '^Map size: 48,36$' 20 || fail "no size line of the default city"
echo "ok: $(grep -m1 '^Map size' "$log")"

# Pause, back to the title with Space, quit with Escape.
tap Escape
tap space
tap Escape
expect_clean_exit
echo "ok: installed game ended with status 0"
