#!/usr/bin/env bash
# The game as a player installs it: install into a temporary prefix, start the
# installed binary from /, play, and quit from the title with status 0.
set -u
build="$1"
source_dir="$2"
prefix=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$prefix" "$log"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null' EXIT

fail() { echo "FAILED: $*"; echo "--- game output:"; cat "$log"; exit 1; }
wait_for_line() {  # pattern, seconds
  for _ in $(seq 1 $(( $2 * 10 ))); do
    grep -q "$1" "$log" && return 0
    sleep 0.1
  done
  return 1
}

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

[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run under Xvfb"
(cd / && exec "$prefix/bin/morvellant") >"$log" 2>&1 &
pid=$!
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^default$' | head -n 1)
[ -n "$wid" ] || fail "no window within 30 s"
xdotool windowfocus --sync "$wid"

# Credits -> title -> playing: the level's size line proves the installed
# game found its Content through the ../share/morvellant lookup.
key() { xdotool key "$1"; sleep 0.2; }
key space
key space
wait_for_line '^Map size: 48,36$' 20 || fail "no size line of the default city"
echo "ok: $(grep -m1 '^Map size' "$log")"

# Pause, back to the title with Space, quit with Escape.
key Escape
key space
key Escape
for _ in $(seq 1 200); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running after Escape on the title"
wait "$pid"
status=$?
pid=""
[ "$status" -eq 0 ] || fail "exit status $status"
echo "ok: installed game ended with status 0"
