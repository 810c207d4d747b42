#!/usr/bin/env bash
# Whether the package is reproducible: `make package` in two fresh clones of
# the last commit, in directories of different names and depths, one after
# the other, must give byte-identical .deb files. Only what is committed is
# checked. The test programs are left out of these builds: nothing of them
# goes into the package. Prints both checksums and the time it took.
set -eu
source_dir=$(git -C "$(dirname "$0")/.." rev-parse --show-toplevel)
jobs="${JOBS:-2}"
start=$(date +%s)
scratch=$(mktemp -d /tmp/morvellant-reproducible-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
sums=()
for tree in first/morvellant second/deeper/copy; do
  git clone -q "$source_dir" "$scratch/$tree"
  make -s -C "$scratch/$tree" package JOBS="$jobs" CMAKE_ARGS=-DBUILD_TESTING=OFF >"$scratch/log" 2>&1 \
    || { cat "$scratch/log"; echo "check-reproducible: make package failed in $tree"; exit 1; }
  sum=$(cd "$scratch/$tree/build" && sha256sum morvellant_*.deb)
  echo "$tree: $sum"
  sums+=("${sum%% *}")
done
echo "check-reproducible: $(($(date +%s) - start)) s"
if [ "${sums[0]}" != "${sums[1]}" ]; then
  echo "check-reproducible: the two packages differ"
  exit 1
fi
echo "check-reproducible: the two packages are identical"
