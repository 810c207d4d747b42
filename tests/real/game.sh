#!/usr/bin/env bash
# The real game under Xvfb: reach the playing state from the keyboard, see the
# default city drawn around the activist, pause and resume, return to the
# title and quit with status 0.
set -u
game="$1"
log=$(mktemp)
shot=$(mktemp --suffix=.png)
trap 'rm -f "$log" "$shot"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null' EXIT

fail() { echo "FAILED: $*"; echo "--- game output:"; cat "$log"; exit 1; }
wait_for_line() {  # pattern, seconds
  for _ in $(seq 1 $(( $2 * 10 ))); do
    grep -q "$1" "$log" && return 0
    sleep 0.1
  done
  return 1
}
key() { xdotool key "$1"; sleep 0.3; }
screenshot() { /usr/bin/import -silent -window "$wid" "png:$shot" 2>/dev/null; }
# Counts the pixels of a region (WxH+X+Y) that are clearly the activist's red.
red_pixels() {
  /usr/bin/convert "$shot" -crop "$1" +repage -depth 8 txt:- \
    | awk -F'[(),]' 'NR > 1 { r=$2; g=$3; b=$4; if (r > 150 && g < 90 && b < 90) n++ } END { print n + 0 }'
}
distinct_colours() {
  /usr/bin/convert "$shot" -format '%k' info:
}

[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run under Xvfb"
(cd / && exec "$game") >"$log" 2>&1 &
pid=$!
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^default$' | head -n 1)
[ -n "$wid" ] || fail "no window within 30 s"
xdotool windowfocus --sync "$wid"

key space          # credits -> title
key space          # title -> playing
wait_for_line '^Map size: 48,36$' 20 || fail "no size line of the default city"
echo "ok: $(grep -m1 '^Map size' "$log")"
sleep 0.5
screenshot || fail "no screenshot"
colours=$(distinct_colours)
[ "$colours" -gt 50 ] || fail "only $colours colours: the city is not drawn"
red=$(red_pixels 300x300+350+225)
[ "$red" -gt 20 ] || fail "no activist red near the centre ($red pixels)"
echo "ok: city drawn ($colours colours), activist near the centre ($red red pixels)"

key Escape         # pause
kill -0 "$pid" 2>/dev/null || fail "ended on pause"
key Escape         # resume
key Escape         # pause again
key space          # released on the pause screen: back to the title
key Escape         # quit from the title
for _ in $(seq 1 200); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running after Escape on the title"
wait "$pid"
status=$?
pid=""
[ "$status" -eq 0 ] || fail "exit status $status"
echo "ok: ended with status 0"
