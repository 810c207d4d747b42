# Shared by the real-window test scripts: start the game, find its window,
# send keys it will see, wait for output and for the end of the program.
# Callers set `log` (the game's output file) and use `pid`/`wid`.

fail() { echo "FAILED: $*"; echo "--- game output:"; cat "$log"; exit 1; }

# Starts a game binary from / (so only its own lookup can find Content/)
# and waits for its window.
start_game() {  # binary
  [ -n "${DISPLAY:-}" ] || fail "no DISPLAY: run under Xvfb"
  (cd / && exec "$1") >"$log" 2>&1 &
  pid=$!
  wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^default$' | head -n 1)
  [ -n "$wid" ] || fail "no window titled 'default' within 30 s"
  xdotool windowfocus --sync "$wid"
}

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

# Waits for the program to end on its own and checks it ended with status 0.
expect_clean_exit() {
  for _ in $(seq 1 200); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "still running 20 s after Escape on the title screen"
  wait "$pid"
  local status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "exit status $status"
}
