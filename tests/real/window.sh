#!/usr/bin/env bash
# End to end: start the real game from an unrelated directory, wait for its
# window, check its size and first pixels, then end it from the keyboard.
set -u
game="$1"
log=$(mktemp)
shot=$(mktemp --suffix=.png)
trap 'rm -f "$log" "$shot"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null' EXIT

fail() { echo "FAILED: $*"; echo "--- game output:"; cat "$log"; exit 1; }

[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run under Xvfb"

(cd / && exec "$game") >"$log" 2>&1 &
pid=$!

wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^default$' | head -n 1)
[ -n "$wid" ] || fail "no window titled 'default' within 30 s"

geometry=$(xwininfo -id "$wid" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$geometry" = "1000x750" ] || fail "window is $geometry, expected 1000x750"
echo "ok: window 'default' at 1000x750"

# The credits screen darkens a background near (15, 0, 32): a dark, bluish corner.
for _ in $(seq 1 50); do
  /usr/bin/import -silent -window "$wid" "png:$shot" 2>/dev/null && break
  sleep 0.1
done
read -r r g b < <(/usr/bin/convert "$shot" -crop 1x1+2+2 +repage -depth 8 rgb:- | od -An -tu1)
[ "${r:-255}" -le 40 ] && [ "${g:-255}" -le 20 ] && [ "${b:-255}" -le 60 ] && [ "$b" -ge "$r" ] \
  || fail "corner pixel ($r, $g, $b) is not the dark background"
echo "ok: corner pixel ($r, $g, $b)"

# Any key leaves the credits; Escape on the title ends the program.
xdotool windowfocus --sync "$wid"
xdotool key Escape
sleep 0.3
xdotool key Escape
for _ in $(seq 1 200); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  fail "still running 20 s after Escape on the title screen"
fi
wait "$pid"
status=$?
pid=""
[ "$status" -eq 0 ] || fail "exit status $status"
echo "ok: ended with status 0"
