#!/bin/sh
# One case of the level checker, written as a terminal session: the case's
# first line is the command ("$ morvellant-levelcheck ARGS", run in a copy of
# tests/levels), the rest what it must print: standard output, then standard
# error after a line "--- standard error" if it wrote any, then "--- exit N",
# then "--- new files" and their names if the command left any beside the
# levels. Times measured on the wall clock print as "*".
# A section "--- pixels of FILE" follows with lines "X,Y R,G,B WHY": the
# colour of the pixel at column X, row Y of the picture the command wrote,
# read back by ImageMagick; without it the case is skipped (status 77).
# Usage: run.sh CHECKER CASEFILE
checker=$(realpath "$1")
case=$(realpath "$2")
levels=$(realpath "$(dirname "$0")/../levels")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/run"
cp "$levels"/* "$scratch/run/"
cd "$scratch/run" || exit 1
ls -A >"$scratch/before"

# The command as a shell would run it, with this checker first on the path.
command=$(head -n 1 "$case" | sed 's/^\$ //')
( PATH="$(dirname "$checker"):$PATH"; eval "$command" ) >"$scratch/out" 2>"$scratch/err"
status=$?
{
  sed -E 's/ of play in [0-9.]+ s, [0-9]+ times real time\)/ of play in * s, * times real time)/' "$scratch/out"
  if [ -s "$scratch/err" ]; then echo "--- standard error"; cat "$scratch/err"; fi
  echo "--- exit $status"
  ls -A | grep -vxF -f "$scratch/before" | sed '1i --- new files'
} >"$scratch/got"
sed -n '2,$p' "$case" | sed '/^--- pixels of /,$d' | diff -u - "$scratch/got" || exit 1

grep -q '^--- pixels of ' "$case" || exit 0
[ -x /usr/bin/convert ] || { echo "no ImageMagick (/usr/bin/convert): pixels not read"; exit 77; }
sed -n '/^--- pixels of /,$p' "$case" >"$scratch/wanted"
# Only the rows down to the lowest pixel asked for are read: a text line a pixel.
awk '/^--- pixels of / { files[++n] = substr($0, 15); next }
     { lines[n, ++count[n]] = $0; split($1, at, ","); if (at[2] + 1 > rows[n]) rows[n] = at[2] + 1 }
     END {
       for (f = 1; f <= n; ++f) {
         print "--- pixels of " files[f]; split("", colour)
         reader = "/usr/bin/convert \"" files[f] "\" -crop 100000x" rows[f] "+0+0 txt:- 2>/dev/null"
         while ((reader | getline row) > 0) {
           rest = substr(row, index(row, "(") + 1)
           colour[substr(row, 1, index(row, ":") - 1)] = substr(rest, 1, index(rest, ")") - 1)
         }
         close(reader)
         for (i = 1; i <= count[f]; ++i) {
           $0 = lines[f, i]; $2 = ($1 in colour) ? colour[$1] : "none"; print
         }
       }
     }' "$scratch/wanted" | diff -u "$scratch/wanted" -
