#!/usr/bin/env bash
# The Debian package of a build as distributions and software centres check
# it, one tool per run: lintian; hardening-check on both programs (a Debug
# build is not optimised, so it has no fortified calls); the AppStream
# metadata with what it names in the installed tree; the desktop entry.
# Exits 77, skipped, when the tool is missing.
# Usage: check.sh BUILD_DIR BUILD_TYPE lintian|hardening|appstream|desktop
set -u
build="$1"
type="$2"
tool="$3"
id=org.example.morvellant.Morvellant
need() { command -v "$1" >/dev/null || { echo "$1 is not installed: skipped"; exit 77; }; }
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
deb=$(echo "$build"/morvellant_*.deb)
dpkg-deb -x "$deb" "$root" || exit 1

case "$tool" in
lintian)
  need lintian
  lintian --fail-on error,warning "$deb" ;;
hardening)
  # Debian 12's start files carry no control flow marking, so nothing linked
  # on it has one (its own /usr/bin/ls neither).
  need hardening-check
  hardening-check --nocfprotection $([ "$type" = Debug ] && echo --nofortify) \
    "$root/usr/games/morvellant-levelcheck" "$root/usr/games/morvellant" ;;
appstream)
  need appstreamcli
  for size in 64 128; do
    [ -e "$root/usr/share/icons/hicolor/${size}x$size/apps/morvellant.png" ] || { echo "no $size px icon"; exit 1; }
  done
  appstreamcli validate-tree --no-net --strict "$root" ;;
desktop)
  need desktop-file-validate
  desktop-file-validate "$root/usr/share/applications/$id.desktop" && echo "desktop entry valid" ;;
*)
  echo "unknown check: $tool"; exit 2 ;;
esac
