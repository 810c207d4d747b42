#!/bin/sh
# One case of the level checker, written as a terminal session: the case's
# first line is the command ("$ morvellant-levelcheck ARGS", run in
# tests/levels), the rest what it must print: standard output, then standard
# error after a line "--- standard error" if it wrote any, then "--- exit N".
# Times measured on the wall clock print as "*".
# Usage: run.sh CHECKER CASEFILE
checker=$(realpath "$1")
case=$(realpath "$2")
got=$(mktemp)
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$got" "$out" "$err"' EXIT
args=$(head -n 1 "$case" | sed 's/^\$ morvellant-levelcheck//')
cd "$(dirname "$0")/../levels" || exit 1
eval "set -- $args"
"$checker" "$@" >"$out" 2>"$err"
status=$?
{
  sed -E 's/ of play in [0-9.]+ s, [0-9]+ times real time\)/ of play in * s, * times real time)/' "$out"
  if [ -s "$err" ]; then echo "--- standard error"; cat "$err"; fi
  echo "--- exit $status"
} >"$got"
tail -n +2 "$case" | diff -u - "$got"
