#!/usr/bin/env bash
# Frame cost of the real game under the X server of $DISPLAY (Xvfb with Mesa)
# in its 1000 x 750 window: the median milliseconds per frame while a city is
# played, for the default city, the default city tiled 4 x 4 and 8 x 8 (the
# activist in the plaza of a middle tile), the default city amid a 1024 x 1024
# level of streets, and a 1024 x 1024 level of blocks with one street (the
# activist in the middle), against the floor, the median
# frame of the same window that only clears and swaps. Nobody needs to be at
# the keyboard: xdotool starts the game.
# Usage: framebench.sh <framebench program> <dir with Content/> [seconds]
# FRAMEBENCH_RUNNER, when set, runs the program: "wine64" for the Windows
# build's (make bench-windows), whose lines end in "\r\n".
set -u
program="$1"
content_dir="$2"
seconds="${3:-4}"
log=$(mktemp)
levels=$(mktemp -d)
trap 'rm -rf "$log" "$levels"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null' EXIT

fail() { echo "framebench: $*" >&2; exit 1; }
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run under Xvfb"

start() {  # mode, dir with Content/
  (cd "$2" && exec ${FRAMEBENCH_RUNNER:-} "$program" $1) >"$log" 2>&1 &
  pid=$!
  wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^default$' | head -n 1)
  [ -n "$wid" ] || fail "no window within 30 s"
}
stop() {
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=""
}
# Median of the frame times of the given state after the first 30 such frames.
median() {  # state
  tr -d '\r' <"$log" | awk -v s="$1" '$1 == "frame" && $4 == s { if (++n > 30) print $5 }' | sort -g \
    | awk '{ v[NR] = $1 } END { if (NR == 0) { print "none"; exit } print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}
# Presses a key until the game's frames are in the wanted state: held across
# frames, since the game reads key changes once a frame, and pressed again if
# it came before the window had the focus.
press_until() {  # key, state
  for _ in $(seq 1 40); do
    xdotool keydown "$1"; sleep 0.15; xdotool keyup "$1"
    for _ in $(seq 1 20); do
      tail -n 5 "$log" | grep -q " state $2 " && return 0
      sleep 0.1
    done
  done
  fail "the game did not reach state $2"
}
play() {  # dir with Content/
  start "" "$1"
  xdotool windowfocus --sync "$wid" 2>/dev/null
  press_until space 2  # credits -> title
  press_until space 3  # title -> playing
  sleep "$seconds"
  stop
  grep -q '^Map size' "$log" || fail "the game did not start (no size line)"
  median 3
}

# The levels: a directory each, holding Content/city1.troklevel.
level() {  # name
  mkdir -p "$levels/$1/Content"
  echo "$levels/$1/Content/city1.troklevel"
}
tiled() {  # tiles
  awk -v t="$1" 'NR == 1 { print; next } NR == 2 { print $1 * t, $2 * t; h = $2; next }
    { row[NR - 3] = $0 } END {
      for (ti = 0; ti < t; ++ti) for (r = 0; r < h; ++r) {
        line = ""
        for (tj = 0; tj < t; ++tj) {
          cells = row[r]
          if (ti != int(t / 2) || tj != int(t / 2)) gsub(/@/, ".", cells)
          line = line cells
        }
        print line
      } }' "$content_dir/Content/city1.troklevel" >"$(level "tiled$1")"
}
tiled 4
tiled 8
# The default city in the middle of a 1024 x 1024 level of streets: the same
# view as the default city's, in a city 600 times its area.
awk 'NR == 2 { w = $1; h = $2; next } NR > 2 { row[NR - 3] = $0 } END { n = 1024; print "!MorvellantMapFile"
  print n, n; empty = sprintf("%" n "s", ""); gsub(/ /, ".", empty); x = (n - w) / 2; z = (n - h) / 2
  for (i = 0; i < n; ++i) print (i >= z && i < z + h ? substr(empty, 1, x) row[i - z] substr(empty, x + w + 1) : empty) }' \
  "$content_dir/Content/city1.troklevel" >"$(level field)"
awk 'BEGIN { n = 1024; print "!MorvellantMapFile"; print n, n
  blocks = sprintf("%" n "s", ""); gsub(/ /, "#", blocks); street = blocks; gsub(/#/, ".", street)
  street = substr(street, 1, n / 2) "@......C" substr(street, n / 2 + 9)
  for (i = 0; i < n; ++i) print (i == n / 2 ? street : blocks) }' >"$(level big)"

start --floor "$content_dir"
sleep "$seconds"
stop
floor_ms=$(median 0)
default_ms=$(play "$content_dir")
tiled4_ms=$(play "$levels/tiled4")
tiled8_ms=$(play "$levels/tiled8")
field_ms=$(play "$levels/field")
big_ms=$(play "$levels/big")
for ms in "$floor_ms" "$default_ms" "$tiled4_ms" "$tiled8_ms" "$field_ms" "$big_ms"; do
  [ "$ms" != none ] || fail "no frames measured"
done

echo "median milliseconds per frame, 1000 x 750, after the first 30 frames of each:"
awk -v f="$floor_ms" -v d="$default_ms" -v t4="$tiled4_ms" -v t8="$tiled8_ms" -v c="$field_ms" -v b="$big_ms" 'BEGIN {
  printf "  floor (clear and swap)     %7.2f\n", f
  printf "  default city, 48 x 36      %7.2f   %.2f x the floor\n", d, d / f
  printf "  tiled 4 x 4, 192 x 144     %7.2f   %+.0f%% of the default city\n", t4, 100 * (t4 / d - 1)
  printf "  tiled 8 x 8, 384 x 288     %7.2f   %+.0f%% of the default city\n", t8, 100 * (t8 / d - 1)
  printf "  it, 1024 x 1024 of streets %7.2f   %+.0f%% of the default city\n", c, 100 * (c / d - 1)
  printf "  1024 x 1024 of blocks      %7.2f   %+.0f%% of the default city\n", b, 100 * (b / d - 1) }'
