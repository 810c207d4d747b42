# What the real-window scripts share (tests/real/game.sh, tests/windows/check.sh),
# sourced once they have set $wid (the game's window), $shot (a scratch PNG),
# $log (the game's standard output) and $pid (the game's process).

# Screenshots: pixels counted in a region (WxH+X+Y from the top left) by a
# test on red, green and blue, or the mean brightness of the whole window.
snap() { /usr/bin/import -silent -window "$wid" "png:$shot" 2>/dev/null; }
count() {  # region, awk test on $1 $2 $3
  /usr/bin/convert "$shot" -crop "$1" +repage -depth 8 rgb:- | od -An -v -tu1 -w3 | awk "$2 { n++ } END { print n + 0 }"
}
mean() { /usr/bin/convert "$shot" -colorspace gray -format '%[fx:int(mean*1000)]' info:; }
# Nothing here waits a fixed time for the game: every check waits, up to a
# minute, for the frame or the line it expects.
# A minute of the clock, not a count of tries: on a loaded machine a screenshot
# alone may take a second.
until_() {  # command...: true as soon as the command succeeds
  local end=$((SECONDS + 60))
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.1
  done
}
# A line of the game's standard output (Windows' "\r\n" read as "\n").
said() { tr -d '\r' <"$log" | grep -q "$1"; }
# A frame with white text in one line's region and none in another's.
shows() {  # region, other region
  snap && [ "$(count "$1" '$1 > 200')" -gt 50 ] && [ "$(count "$2" '$1 > 200')" -eq 0 ]
}
screen() { until_ shows "$@"; }
# A key is held until what it does shows: a frame must see it down, for a
# press and a release within one frame read as a release.
press_until() {  # key, command...
  local key=$1
  shift
  xdotool keydown "$key"
  until_ "$@"
  local shown=$?
  xdotool keyup "$key"
  return $shown
}
CREDITS=240x30+60+352  # "The Morvellant", from x 75 with its baseline 375 px down
TITLE=350x30+300+240   # "THE MORVELLANT", right of x 300 with its baseline 262 px down
# The lit white blocks give bright pixels the dark background never has; the
# activist's red stands near the middle.
city() {
  snap && [ "$(count 1000x750+0+0 '$1 > 200 && $2 > 200 && $3 > 200')" -gt 75000 ] \
    && [ "$(count 200x200+400+275 '$1 > 150 && $2 < 110 && $3 < 110')" -ge 100 ]
}
# Against the brightness of the city in play, taken as $playing.
darker() { snap && [ $(( $(mean) * 10 )) -lt $(( playing * 8 )) ]; }
lighter() { snap && [ $(( $(mean) * 10 )) -gt $(( playing * 9 )) ]; }
ended() { ! kill -0 "$pid" 2>/dev/null; }
