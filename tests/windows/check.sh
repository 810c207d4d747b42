#!/usr/bin/env bash
# The Windows zip as a player unpacks and plays it, under Wine and the X
# server of $DISPLAY: the level checker plays the shipped city (the verdict
# as on Linux), refuses a missing file and a level with CR LF line ends; the
# game, started from another directory, finds its city, shows it, pauses,
# returns to the title and quits with status 0. Output is read without "\r".
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

unzip -q "$1" -d "$scratch" || fail "cannot unpack $1"
dir=$(echo "$scratch"/morvellant-*-windows-x64)
for f in morvellant.exe morvellant-levelcheck.exe Content/city1.troklevel LICENSE README.txt; do
  [ -f "$dir/$f" ] || fail "no $f in the zip"
done
check() { (cd "$dir" && "$wine" ./morvellant-levelcheck.exe "$@") >"$log" 2>/dev/null; }

check --play Content/city1.troklevel || fail "the shipped city: exit status $?"
[ "$(lines | grep -cE '^(idle activist|simple player), seed [1-5]: (won|lost) at [0-9]+:[0-9]{2}$')" -eq 10 ] \
  || fail "not ten games decided"
lines | grep -q '^balanced (' || fail "the shipped city is not balanced"
lines | grep -E '^(idle|simple|balanced)'
[ -z "$(find "$WINEPREFIX/drive_c/users" -name 'morvellant-play-*')" ] || fail "the checker left its scratch directory"
check none.troklevel; status=$?
[ "$status" -eq 1 ] && lines | grep -qx 'cannot open none.troklevel: No such file or directory' || fail "a missing file ($status)"
printf '!MorvellantMapFile\r\n2 1\r\n@C\r\n' >"$dir/crlf.troklevel"
check crlf.troklevel; status=$?
[ "$status" -eq 1 ] && lines | grep -qx 'Incorrect file type!' || fail "a level with CR LF line ends ($status)"

(cd "$scratch" && exec "$wine" "$dir/morvellant.exe") >"$log" 2>/dev/null &
pid=$!
wid=$(timeout 60 xdotool search --sync --onlyvisible --name '^default$' | head -n 1)
[ -n "$wid" ] || fail "no window titled 'default' within 60 s"
xdotool windowfocus --sync "$wid"
snap() { /usr/bin/import -silent -window "$wid" "png:$shot" 2>/dev/null; }
count() {  # region WxH+X+Y, awk test on red $1, green $2, blue $3
  /usr/bin/convert "$shot" -crop "$1" +repage -depth 8 rgb:- | od -An -v -tu1 -w3 | awk "$2 { n++ } END { print n + 0 }"
}
mean() { /usr/bin/convert "$shot" -colorspace gray -format '%[fx:int(mean*1000)]' info:; }
# As in tests/real/game.sh: every check waits, up to a minute, for the frame
# or the line it expects, and a key is held until what it does shows.
until_() { for _ in $(seq 1 600); do "$@" && return 0; sleep 0.1; done; return 1; }
press_until() {  # key, command...
  local key=$1
  shift
  xdotool keydown "$key"
  until_ "$@"
  local shown=$?
  xdotool keyup "$key"
  return $shown
}
shows() { snap && [ "$(count "$1" '$1 > 200')" -gt 50 ] && [ "$(count "$2" '$1 > 200')" -eq 0 ]; }
said() { lines | grep -q "$1"; }
# Lit white roofs and blocks, and the activist's red near the middle.
city() {
  snap && [ "$(count 1000x750+0+0 '$1 > 200 && $2 > 200 && $3 > 200')" -gt 75000 ] \
    && [ "$(count 200x200+400+275 '$1 > 150 && $2 < 110 && $3 < 110')" -ge 100 ]
}
darker() { snap && [ $(( $(mean) * 10 )) -lt $(( playing * 8 )) ]; }
ended() { ! kill -0 "$pid" 2>/dev/null; }
CREDITS=240x30+60+352  # "The Morvellant" on the credits
TITLE=350x30+300+240    # "THE MORVELLANT" on the title screen

until_ shows "$CREDITS" "$TITLE" || fail "no credits"
press_until Escape shows "$TITLE" "$CREDITS" || fail "no title after a key on the credits"
press_until space said '^Map size: 48,36$' || fail "no size line of the default city"
until_ city || fail "the city with the activist near the middle is not drawn"
snap && playing=$(mean)
press_until Escape darker || fail "pausing did not darken the scene"
xdotool key space  # released on the pause screen: the title
until_ shows "$TITLE" "$CREDITS" || fail "no title after Space on the pause screen"
press_until Escape ended || fail "Escape on the title did not end the game"
wait "$pid"
status=$?
pid=""
[ "$status" -eq 0 ] || fail "the game's exit status $status"
echo "ok: the checker's verdicts; the game from another directory: credits, title, city, pause, title, exit 0"
