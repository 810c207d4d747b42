#!/usr/bin/env bash
# Takes the README's screenshot: starts the real game on a virtual X server,
# enters a game with the keyboard, walks and talks a little, and saves the
# window scaled down to 500 pixels wide.
#
#   tools/screenshot.sh [GAME] [OUTPUT]     defaults: build/morvellant docs/screenshot.png
#
# Needs xvfb-run, xdotool and ImageMagick (import, convert).
set -eu
cd "$(dirname "$0")/.."
game=$(realpath "${1:-build/morvellant}")
output="${2:-docs/screenshot.png}"
[ -x "$game" ] || { echo "no game at $game: build it first (make build)"; exit 1; }

# Without a display, run this script again inside its own virtual X server.
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$game" "$output"
fi

log=$(mktemp)
raw=$(mktemp --suffix=.png)
trap 'rm -f "$log" "$raw"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null' EXIT

"$game" >"$log" 2>&1 &
pid=$!
wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^default$' | head -n 1)
[ -n "$wid" ] || { echo "no game window within 30 s"; cat "$log"; exit 1; }
xdotool windowfocus --sync "$wid"

tap() { xdotool keydown "$1"; sleep 0.15; xdotool keyup "$1"; sleep 0.4; }
hold() { xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"; }

tap space   # credits -> title
tap space   # title -> a new game
for _ in $(seq 1 100); do
  grep -q '^Map size' "$log" && break
  sleep 0.1
done
# Talk a while in the plaza, so the citizens around show their tint, then
# step aside so the activist faces the way it walks.
for _ in 1 2 3 4 5; do tap space; done
hold Right 0.3
sleep 0.3

/usr/bin/import -silent -window "$wid" "png:$raw"
mkdir -p "$(dirname "$output")"
/usr/bin/convert "$raw" -resize 500x -strip "png:$output"
echo "saved $output ($(/usr/bin/identify -format '%wx%h' "$output"))"

tap Escape  # pause
tap space   # title
xdotool key Escape
wait "$pid" || true
pid=""
