#!/usr/bin/env bash
# End to end: start the real game from an unrelated directory, wait for its
# window, check its size and the credits screen, then leave the credits and end
# the program from the title screen with Escape.
set -u
game="$1"
log=$(mktemp)
shot=$(mktemp --suffix=.png)
trap 'rm -f "$log" "$shot"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null' EXIT

. "$(dirname "$0")/lib.sh"
start_game "$game"

geometry=$(xwininfo -id "$wid" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$geometry" = "1000x750" ] || fail "window is $geometry, expected 1000x750"
echo "ok: window 'default' at 1000x750"

screenshot() { /usr/bin/import -silent -window "$wid" "png:$shot" 2>/dev/null; }

# Pixels brighter than 200 in a region of the last screenshot (WxH+X+Y, from
# the top-left corner): the white text.
white_in() {
  /usr/bin/convert "$shot" -crop "$1" +repage -depth 8 gray:- 2>/dev/null \
    | od -An -tu1 -v | tr -s ' ' '\n' | awk '$1 > 200 { n++ } END { print n + 0 }'
}

# The screens' first text lines in a 1000 x 750 window: the credits' title
# starts at x 75 with its baseline 375 px from the top; the title screen's
# "THE MORVELLANT" lies right of x 300 with its baseline 262 px from the top.
CREDITS_LINE=240x30+60+352
TITLE_LINE=350x30+300+240

# Waits, one screenshot after another, until a frame shows the wanted screen.
wait_for_screen() {
  local region="$1" other="$2"
  for _ in $(seq 1 200); do
    if screenshot && [ "$(white_in "$region")" -gt 50 ] && [ "$(white_in "$other")" -eq 0 ]; then
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

wait_for_screen "$CREDITS_LINE" "$TITLE_LINE" || fail "the credits did not appear"
echo "ok: credits text shown ($(white_in "$CREDITS_LINE") white pixels in its first line)"

# The credits darken a background that starts at (15, 0, 32) and drifts by at
# most one step per channel every 40 frames: kept at 159/255 it is near
# (9, 0, 20), clearly below the undarkened colour's blue of about 32.
read -r r g b < <(/usr/bin/convert "$shot" -crop 1x1+2+2 +repage -depth 8 rgb:- | od -An -tu1)
[ "${r:-255}" -le 16 ] && [ "${g:-255}" -le 10 ] && [ "${b:-255}" -le 27 ] && [ "$b" -ge 12 ] \
  && [ "$b" -ge "$r" ] || fail "corner pixel ($r, $g, $b) is not the darkened background"
echo "ok: darkened corner pixel ($r, $g, $b)"

# Keys are held until their effect is on screen: a press and release within
# one frame would count as a press only for the credits' any-key test.
xdotool keydown Escape
wait_for_screen "$TITLE_LINE" "$CREDITS_LINE" || fail "Escape on the credits did not show the title screen"
xdotool keyup Escape
echo "ok: title screen after a key on the credits"
kill -0 "$pid" 2>/dev/null || fail "the program ended on the credits screen"

# Escape on the title ends the program.
xdotool keydown Escape
expect_clean_exit
xdotool keyup Escape 2>/dev/null
echo "ok: ended with status 0"
