#!/usr/bin/env bash
# The game as a player installs and plays it, in a real window under the X
# server of $DISPLAY: the Debian package of the build unpacked into a scratch
# root and the game started from /, so that only its own lookup finds the
# level; the credits, the title, the city, pause and resume, back to the
# title and out with status 0. Settings in a scratch per-user folder: F11 in
# and out, a rebound key, a game paused when its window is unmapped.
set -u
build="$1"
# Without an X server or the tools that drive it, this test is skipped, not passed.
[ -n "${DISPLAY:-}" ] || { echo "skipped: no X display"; exit 77; }
for tool in xdotool xwininfo dpkg-deb desktop-file-validate /usr/bin/import /usr/bin/convert; do
  command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
root=$(mktemp -d)
log=$(mktemp)
shot=$(mktemp --suffix=.png)
trap 'rm -rf "$root" "$log" "$shot"; [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null' EXIT
fail() { echo "FAILED: $*"; echo "--- game output:"; cat "$log"; exit 1; }
export XDG_CONFIG_HOME="$root/config"
settings="$XDG_CONFIG_HOME/morvellant/settings"

dpkg-deb -x "$build"/morvellant_*.deb "$root" || fail "no package to unpack"
start() {
  (cd / && exec "$root/usr/games/morvellant") >"$log" 2>&1 &
  pid=$!
  wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^default$' | head -n 1)
  [ -n "$wid" ] || fail "no window titled 'default' within 30 s"
  xdotool windowfocus --sync "$wid"
}
start
geometry() { xwininfo -id "$wid" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
  /Width:/ {w=$2} /Height:/ {h=$2} END {print x "," y " " w "x" h}'; }
[ "$(geometry)" = "30,30 1000x750" ] || fail "the window is $(geometry)"

. "$(dirname "$0")/window.sh"

screen "$CREDITS" "$TITLE" || fail "no credits"
# F11 fills the screen, where the credits follow the new size (at 0.1 and
# 0.5 of its height, but without a window manager GLUT puts the window at
# -30,-30), is no key that leaves them, and puts the window back; remembered.
[ ! -e "$settings" ] || fail "settings written before any change"
full=$(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
is() { [ "$(geometry | cut -d' ' -f"$1")" = "$2" ]; }
press_until F11 is 2 "$full" || fail "F11 left the window at $(geometry), not $full"
screen 240x30+60+459 "$TITLE" || fail "no credits drawn to the fullscreen size"
press_until F11 is 1-2 "30,30 1000x750" || fail "F11 did not put the window back: $(geometry)"
grep -qx 'fullscreen = no' "$settings" || fail "fullscreen not remembered"
screen "$CREDITS" "$TITLE" || fail "F11 left the credits"
# Darkened to 159/255 of a background near (15, 0, 32).
read -r r g b < <(/usr/bin/convert "$shot" -crop 1x1+2+2 +repage -depth 8 rgb:- | od -An -tu1)
[ "$r" -le 16 ] && [ "$g" -le 10 ] && [ "$b" -le 27 ] && [ "$b" -ge 12 ] || fail "corner ($r, $g, $b)"
press_until Escape shows "$TITLE" "$CREDITS" || fail "no title after a key on the credits"
# The menu starts at 0.3 of the width, after its one leading space: the tabs
# that follow it take no room. The first white column of "NEW GAME" tells.
menu=$(/usr/bin/convert "$shot" -crop 200x20+250+360 +repage -depth 8 gray:- | od -An -v -tu1 -w200 \
  | awk '{ for (x = 1; x <= NF; x++) if ($x > 200 && (m == "" || x < m)) m = x } END { print m + 249 }')
[ "$menu" -ge 300 ] && [ "$menu" -le 312 ] || fail "the title menu starts at x $menu"
press_until space grep -q '^Map size: 48,36$' "$log" || fail "no size line of the default city"
until_ city || fail "the city with the activist near the middle is not drawn"
playing=$(mean)
press_until Escape darker || fail "pausing did not darken the scene ($playing, $(mean))"
press_until Escape lighter || fail "resuming did not bring the scene back"
[ "$(grep -c '^Map size' "$log")" -eq 1 ] || fail "the game was built again on resuming"
press_until Escape darker || fail "no pause the second time"
xdotool key space  # released on the pause screen: the title
screen "$TITLE" "$CREDITS" || fail "no title after Space on the pause screen"
press_until Escape ended || fail "Escape on the title did not end the game"
wait "$pid"
status=$?
pid=""
[ "$status" -eq 0 ] || fail "exit status $status"

# A city of 1024 by 1024 blocks with one street: a game of it starts and
# pauses like any other (how fast it plays is the frame bench's to say),
# also with settings that cannot be read, through a file.
awk 'BEGIN { n = 1024; print "!MorvellantMapFile"; print n, n; row = sprintf("%" n "s", ""); street = row
  gsub(/ /, "#", row); gsub(/ /, ".", street); street = substr(street, 1, 512) "@" substr(street, 514)
  for (i = 0; i < n; ++i) print (i == 512 ? street : row) }' >"$root/usr/share/games/morvellant/Content/city1.troklevel"
XDG_CONFIG_HOME=/dev/null/x start
screen "$CREDITS" "$TITLE" || fail "no credits before the big city"
grep -q '^/dev/null/x/morvellant/settings: cannot read it (Not a directory)' "$log" || fail "no line on the settings"
press_until space shows "$TITLE" "$CREDITS" || fail "no title before the big city"
press_until space grep -q '^Map size: 1024,1024$' "$log" || fail "no size line of the big city"
white() { snap && [ "$(count 1000x750+0+0 '$1 > 200 && $2 > 200 && $3 > 200')" -gt 75000 ]; }
until_ white || fail "the big city is not drawn"
press_until Escape shows "$TITLE" "$CREDITS" || fail "Escape did not pause the big city"
kill "$pid" && wait "$pid" 2>/dev/null

# Started fullscreen as kept, and back to the window; Alt+Enter in a game
# too. In a walled yard, the activist walks right on the player's "d", the
# white of the wall on its right growing; left on the arrow, held while the
# window is unmapped and let go: mapped again, the game is paused, and
# resumed, the activist stands, so that "d" alone moves it.
wall='#####################' yard='#...................#'
printf '%s\n' '!MorvellantMapFile' '21 7' "$wall" "$yard" "$yard" '#.........@.........#' "$yard" "$yard" "$wall" \
  >"$root/usr/share/games/morvellant/Content/city1.troklevel"
printf 'right = d\nsound = off\n' >>"$settings"
sed -i 's/^fullscreen = no$/fullscreen = yes/' "$settings"
start
grep -qx "$settings:3: no setting named \"sound\"" "$log" || fail "no line on the unknown setting"
until_ is 2 "$full" || fail "not started on the whole screen: $(geometry)"
press_until F11 is 1-2 "30,30 1000x750" || fail "F11 did not put the window back to its own place: $(geometry)"
press_until Escape shows "$TITLE" "$CREDITS" || fail "no title before the yard"
press_until space grep -q '^Map size: 21,7$' "$log" || fail "no size line of the yard"
right() { snap && count 480x1+520+425 '$1 > 200 && $2 > 200 && $3 > 200'; }
moved() { [ "$(right)" "$1" "$2" ]; }  # -gt: right, -lt: left
until_ city || fail "the yard is not drawn"
press_until alt+Return is 2 "$full" || fail "Alt+Enter left the window at $(geometry) in a game"
press_until F11 is 1-2 "30,30 1000x750" || fail "F11 did not put the window back in a game: $(geometry)"
until_ city || fail "the yard is not drawn again"
playing=$(mean)
press_until d moved -gt "$(right)" || fail "d did not move the activist right"
xdotool keydown Left
until_ moved -lt "$(right)" || fail "Left did not move the activist"
xdotool windowunmap --sync "$wid" keyup Left windowmap --sync "$wid" windowfocus --sync "$wid"
until_ darker || fail "not paused when the window came back"
press_until Escape lighter || fail "not resumed"
press_until d moved -gt "$(right)" || fail "the activist walks on by itself"
echo "ok: unpacked, started from /, credits, title, city, pause, resume, title, exit 0; a big city paused;" \
  "F11 in and out, settings kept, unreadable, rebound; paused when unmapped, the activist still after"
