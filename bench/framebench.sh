#!/usr/bin/env bash
# Frame cost of the real game under the X server of $DISPLAY (Xvfb with Mesa)
# in its 1000 x 750 window: the median milliseconds per frame while the
# default city is played, against the floor, the median frame of the same
# window that only clears and swaps. Nobody needs to be at the keyboard:
# xdotool starts the game. Usage: framebench.sh <framebench program> <dir with Content/> [seconds]
set -u
program="$1"
content_dir="$2"
seconds="${3:-4}"
floor_log=$(mktemp)
game_log=$(mktemp)
bare_dir=$(mktemp -d)
trap 'rm -rf "$floor_log" "$game_log" "$bare_dir"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null' EXIT

fail() { echo "framebench: $*" >&2; exit 1; }
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run under Xvfb"

start() {  # mode, log[, dir with Content/]
  (cd "${3:-$content_dir}" && exec "$program" $1) >"$2" 2>&1 &
  pid=$!
  wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^default$' | head -n 1)
  [ -n "$wid" ] || fail "no window within 30 s"
}
stop() {
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=""
}
# Median of the frame times (column 5), or of the main thread's processor
# times (column 6), of the given state after the first 30 such frames.
median() {  # log, state[, column]
  awk -v s="$2" -v c="${3:-5}" '$1 == "frame" && $4 == s { if (++n > 30) print $c }' "$1" | sort -g \
    | awk '{ v[NR] = $1 } END { if (NR == 0) { print "none"; exit } print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) " " NR }'
}

start --floor "$floor_log"
sleep "$seconds"
stop
read -r floor_ms floor_n <<<"$(median "$floor_log" 0)"

# Presses a key until the game's frames are in the wanted state: the key is
# held across frames, since the game reads key changes once a frame, and is
# pressed again if it came before the window had the focus.
press_until() {  # key, state, log
  for _ in $(seq 1 20); do
    xdotool keydown "$1"; sleep 0.15; xdotool keyup "$1"
    for _ in $(seq 1 10); do
      tail -n 5 "$3" | grep -q " state $2 " && return 0
      sleep 0.1
    done
  done
  fail "the game did not reach state $2"
}
play() {  # mode, log[, dir with Content/]
  start "$1" "$2" "${3:-}"
  xdotool windowfocus --sync "$wid" 2>/dev/null
  press_until space 2 "$2"          # credits -> title
  press_until space 3 "$2"          # title -> playing
  sleep "$seconds"
  stop
  grep -m1 '^Map size' "$2" >/dev/null || fail "the game did not start (no size line)"
}
# The game as built, then drawing every object, in view or not, as before.
play "" "$game_log"
read -r game_ms game_n <<<"$(median "$game_log" 3)"
read -r game_cpu _ <<<"$(median "$game_log" 3 6)"
play --draw-all "$game_log"
read -r all_ms all_n <<<"$(median "$game_log" 3)"
read -r all_cpu _ <<<"$(median "$game_log" 3 6)"
# The same city with every cell but the activist's emptied: the same ground
# under the same camera and nothing on it, the cheapest frame that still
# shows this view of the game.
mkdir -p "$bare_dir/Content"
awk 'NR <= 2 { print; next } { gsub(/[^@]/, "."); print }' "$content_dir/Content/city1.troklevel" \
  >"$bare_dir/Content/city1.troklevel"
play "" "$game_log" "$bare_dir"
read -r bare_ms bare_n <<<"$(median "$game_log" 3)"
[ "$floor_ms" != none ] && [ "$game_ms" != none ] && [ "$all_ms" != none ] && [ "$bare_ms" != none ] \
  || fail "no frames measured"

echo "floor (clear and swap):             ${floor_ms} ms per frame (median of ${floor_n} frames)"
echo "default city, playing:              ${game_ms} ms per frame (median of ${game_n} frames), main thread ${game_cpu} ms"
echo "default city, all drawn, as before: ${all_ms} ms per frame (median of ${all_n} frames), main thread ${all_cpu} ms"
echo "its bare ground, same camera:       ${bare_ms} ms per frame (median of ${bare_n} frames)"
awk -v g="$game_ms" -v i="$all_ms" -v f="$floor_ms" -v b="$bare_ms" \
  'BEGIN { printf "ratio to the floor: %.2f (all drawn, as before: %.2f; bare ground: %.2f)\n", g / f, i / f, b / f }'
