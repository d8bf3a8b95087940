#!/usr/bin/env bash
# Screenshots of real windows: runs the Wine tests matching a pattern with
# W95_SHOTS set; each test that marks a window ready (c:\w95shots\<name>.ready)
# is photographed into build/shots/<name>.png and then let go on. A marker
# holding WxH+X+Y keeps only that area of the screen; a test that leaves
# <name>.bmp beside the marker (the screen as the program has it) gives that.
# Usage: scripts/shots.sh [ctest regex]   (default: wine_ui|wine_explorer)
set -euo pipefail
cd "$(dirname "$0")/.."
pattern="${1:-wine_ui|wine_explorer}"
mkdir -p build/shots
if [ -z "${W95_IN_WINE:-}" ]; then
  W95_IN_WINE=1 exec scripts/with-wine.sh "$0" "$pattern"
fi
dir="$WINEPREFIX/drive_c/w95shots"
mkdir -p "$dir"
rm -f "$dir"/*
( while true; do
    for f in "$dir"/*.ready; do
      [ -e "$f" ] || continue
      name=$(basename "$f" .ready)
      sleep 0.4
      # A marker may name the screen area to keep, as WxH+X+Y.
      area=$(tr -dc '0-9x+' < "$f")
      crop=()
      [ -z "$area" ] || crop=(-crop "$area" +repage)
      if [ -e "$dir/$name.bmp" ]; then
        convert "$dir/$name.bmp" "build/shots/$name.png"
      else
        xwd -root -display "$DISPLAY" -silent | convert xwd:- "${crop[@]}" "build/shots/$name.png"
      fi
      rm -f "$f"
      touch "$dir/$name.done"
      echo "shot: build/shots/$name.png"
    done
    sleep 0.1
  done ) &
watcher=$!
trap 'kill $watcher 2>/dev/null || true' EXIT
W95_SHOTS='c:\w95shots' ctest --preset wine -R "$pattern"
