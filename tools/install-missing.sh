#!/usr/bin/env bash
# Installs the Debian packages named, quietly and only as root; without root
# it names them in one line and fails, for the developer to install by hand.
# Usage: install-missing.sh WHAT-FOR PACKAGE...
set -eu
what=$1
shift
[ $# -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "missing $what: $* (install them as root: apt-get install $*)" >&2
  exit 1
fi
echo "installing $what: $*"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq >/dev/null
apt-get install -y -qq --no-install-recommends "$@" >/dev/null
