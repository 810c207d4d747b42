#!/usr/bin/env bash
# A game played through the real window: start it from an unrelated
# directory, enter a game with the keyboard, look at the city, pause and
# resume, go back to the title and quit.
set -u
game="$1"
log=$(mktemp)
work=$(mktemp -d)
trap 'rm -rf "$log" "$work"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null' EXIT

fail() { echo "FAILED: $*"; echo "--- game output:"; cat "$log"; exit 1; }
wait_for_line() {  # pattern, seconds
  for _ in $(seq 1 $(( $2 * 10 ))); do
    grep -q "$1" "$log" && return 0
    sleep 0.1
  done
  return 1
}
# Held long enough for the game to see the press in one frame and the
# release in a later one: a press and release between two frames counts
# only as a release, which the title screen ignores.
tap() { xdotool keydown "$1"; sleep 0.15; xdotool keyup "$1"; sleep 0.4; }
shot() {  # file
  for _ in $(seq 1 50); do
    /usr/bin/import -silent -window "$wid" "png:$1" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}
mean() { /usr/bin/convert "$1" -colorspace gray -format '%[fx:int(mean*1000)]' info:; }
# Pixels of the activist's red, lit and blended over the street, in a
# 200 by 200 square around the middle of the window.
reds_near_centre() {
  /usr/bin/convert "$1" -crop 200x200+400+275 +repage -depth 8 rgb:- | od -An -v -tu1 -w3 \
    | awk '$1 > 150 && $2 < 110 && $3 < 110 { n++ } END { print n + 0 }'
}

# Percentage of pixels brighter than 200 in every channel.
bright_share() {
  /usr/bin/convert "$1" -depth 8 rgb:- | od -An -v -tu1 -w3 \
    | awk '{ n++ } $1 > 200 && $2 > 200 && $3 > 200 { b++ } END { print int(100 * b / n) }'
}

[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run under Xvfb"

(cd / && exec "$game") >"$log" 2>&1 &
pid=$!
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^default$' | head -n 1)
[ -n "$wid" ] || fail "no window titled 'default' within 30 s"
xdotool windowfocus --sync "$wid"

tap space   # credits -> title
tap space   # title -> playing
wait_for_line '^Map size: 48,36$' 20 || fail "no size line of the default city"
echo "ok: $(grep -m1 '^Map size' "$log")"
sleep 1

shot "$work/playing.png" || fail "no screenshot while playing"
# Flat shading gives few colours; the lit white faces of the blocks give
# plenty of bright pixels, which the dark background never has.
colours=$(/usr/bin/convert "$work/playing.png" -format %k info:)
[ "$colours" -ge 8 ] || fail "only $colours colours on screen: the city is not drawn"
bright=$(bright_share "$work/playing.png")
[ "$bright" -ge 10 ] || fail "only $bright% bright pixels: the city is not drawn"
reds=$(reds_near_centre "$work/playing.png")
[ "$reds" -ge 100 ] || fail "only $reds red pixels near the centre: no activist there"
playing=$(mean "$work/playing.png")
echo "ok: city drawn ($colours colours, $bright% bright), activist near the centre ($reds red pixels)"

tap Escape  # paused: the scene stays, darkened under the text
shot "$work/paused.png" || fail "no screenshot while paused"
paused=$(mean "$work/paused.png")
[ $(( paused * 10 )) -lt $(( playing * 8 )) ] || fail "pause did not darken the scene ($playing -> $paused)"
tap Escape  # playing again, the same game
shot "$work/resumed.png" || fail "no screenshot after resuming"
resumed=$(mean "$work/resumed.png")
[ $(( resumed * 10 )) -gt $(( playing * 9 )) ] || fail "resuming did not bring the scene back ($playing -> $resumed)"
[ "$(grep -c '^Map size' "$log")" -eq 1 ] || fail "the game was built again on resuming"
echo "ok: paused ($playing -> $paused) and resumed ($resumed)"

tap Escape  # paused
tap space   # Space released on the pause screen: the title
tap Escape  # Escape on the title ends the program
for _ in $(seq 1 200); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running 20 s after Escape on the title screen"
wait "$pid"
status=$?
pid=""
[ "$status" -eq 0 ] || fail "exit status $status"
echo "ok: back to the title and ended with status 0"
