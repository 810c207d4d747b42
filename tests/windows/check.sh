#!/usr/bin/env bash
# The Windows zip as a player unpacks and plays it, under Wine and the X
# server of $DISPLAY: the level checker plays the shipped city (the verdict
# as on Linux), refuses a missing file and a level with CR LF line ends and
# draws the city's picture as on Linux; the game, started from another
# directory, finds its city, shows it, pauses, returns to the title and quits
# with status 0. Output is read without "\r".
#   tests/windows/check.sh morvellant-<version>-windows-x64.zip
set -u
scratch=$(mktemp -d)
export WINEPREFIX="$scratch/wine" WINEDEBUG=-all
wine=/usr/lib/wine/wine64
log="$scratch/out.txt"
shot="$scratch/shot.png"
trap '[ -n "${pid:-}" ] && kill "$pid" 2>/dev/null; /usr/lib/wine/wineserver -k 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*"; echo "--- output:"; cat "$log"; exit 1; }
lines() { tr -d '\r' <"$log"; }
. "$(dirname "$0")/../real/window.sh"

unzip -q "$1" -d "$scratch" || fail "cannot unpack $1"
dir=$(echo "$scratch"/morvellant-*-windows-x64)
(cd "$dir" && ls morvellant.exe morvellant-levelcheck.exe Content/city1.troklevel LICENSE README.txt) >/dev/null \
  || fail "a file is missing from the zip"
check() { (cd "$dir" && "$wine" ./morvellant-levelcheck.exe "$@") >"$log" 2>/dev/null; }
check --play Content/city1.troklevel || fail "the shipped city: exit status $?"
[ "$(lines | grep -cE '^(idle activist|simple player), seed [1-5]: (won|lost) at [0-9]+:[0-9]{2}$')" -eq 10 ] \
  && said '^balanced (' || fail "the shipped city: not ten games decided and a balanced level"
lines | grep -E '^(idle|simple|balanced)'
[ -z "$(find "$WINEPREFIX/drive_c/users" -name 'morvellant-play-*')" ] || fail "the checker left its scratch directory"
# A missing file, and a level with CR LF line ends, refused as on Linux.
printf '!MorvellantMapFile\r\n2 1\r\n@C\r\n' >"$dir/crlf.troklevel"
for refusal in 'none.troklevel:cannot open none.troklevel: No such file or directory' 'crlf.troklevel:Incorrect file type!'; do
  check "${refusal%%:*}"
  [ $? -eq 1 ] && said "^${refusal#*:}\$" || fail "${refusal%%:*}"
done
# The shipped city's picture: libpng linked in, the bytes those drawn on Linux for the README.
check --picture map.png Content/city1.troklevel && cmp -s "$dir/map.png" "$(dirname "$0")/../../docs/city-map.png" \
  || fail "the shipped city's picture is not docs/city-map.png"

(cd "$scratch" && exec "$wine" "$dir/morvellant.exe") >"$log" 2>/dev/null &
pid=$!
wid=$(timeout 60 xdotool search --sync --onlyvisible --name '^default$' | head -n 1)
[ -n "$wid" ] || fail "no window titled 'default' within 60 s"
xdotool windowfocus --sync "$wid"

screen "$CREDITS" "$TITLE" || fail "no credits"
press_until Escape shows "$TITLE" "$CREDITS" || fail "no title after a key on the credits"
press_until space said '^Map size: 48,36$' || fail "no size line of the default city"
until_ city || fail "the city with the activist near the middle is not drawn"
playing=$(mean)
press_until Escape darker || fail "pausing did not darken the scene"
xdotool key space  # released on the pause screen: the title
screen "$TITLE" "$CREDITS" || fail "no title after Space on the pause screen"
press_until Escape ended || fail "Escape on the title did not end the game"
wait "$pid" || fail "the game's exit status $?"
echo "ok: the checker's verdicts; the game from another directory: credits, title, city, pause, title, exit 0"
