#!/usr/bin/env bash
# Makes the README's pictures of the shipped city: the map the level checker
# draws of it, and the heat map of the checker's ten games on it.
#
#   tools/level-pictures.sh [CHECKER] [DIRECTORY]
#       defaults: build/morvellant-levelcheck docs (city-map.png, city-heatmap.png)
set -eu
cd "$(dirname "$0")/.."
checker=$(realpath "${1:-build/morvellant-levelcheck}")
directory="${2:-docs}"
[ -x "$checker" ] || { echo "no level checker at $checker: build it first (make build)"; exit 1; }
mkdir -p "$directory"
# The city is balanced, so the checker ends with 0; anything else is worth seeing.
"$checker" --play --picture "$directory/city-map.png" --heatmap "$directory/city-heatmap.png" \
  Content/city1.troklevel
