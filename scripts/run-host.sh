#!/usr/bin/env bash
# The main job: build the product DLL (32-bit), check its export table, and
# run the sample host against the library under Wine (the 64-bit build of the
# same sources; 32-bit code cannot run on this machine).
# Usage: scripts/run-host.sh [host command...]   (default: services; "help" lists them)
# Optional: W95_WIN32_BUILD, W95_WINE_BUILD (build folders), W95_WINEPREFIX,
# W95_DISPLAY (Xvfb display number).
set -euo pipefail
cd "$(dirname "$0")/.."
win32_dir="${W95_WIN32_BUILD:-build/win32}"
wine_dir="${W95_WINE_BUILD:-build/wine}"

# Runs a step quietly; shows its output only when it fails.
step() {
  local what="$1"; shift
  local log
  log=$(mktemp)
  if ! "$@" >"$log" 2>&1; then
    echo "run-host: $what failed:" >&2
    tail -n 40 "$log" >&2
    rm -f "$log"
    exit 1
  fi
  rm -f "$log"
}

scripts/setup.sh
echo "run-host: building the product DLL and the sample host (first time: a few minutes)"
step "configuring the 32-bit build" cmake --preset win32 -B "$win32_dir"
step "building the 32-bit DLL" cmake --build "$win32_dir" --target w95ZOK56
step "configuring the Wine build" cmake --preset wine -B "$wine_dir"
step "building the sample host" cmake --build "$wine_dir" --target plimbo-host
echo "run-host: product DLL $win32_dir/bin/w95ZOK56.dll"
python3 scripts/check-dll.py "$win32_dir/bin/w95ZOK56.dll" "$win32_dir/export-table.txt"
echo "run-host: starting the sample host under Wine (first time: the Wine prefix is made, ~20 s)"
echo
scripts/with-wine.sh ${W95_DISPLAY:+--display "$W95_DISPLAY"} \
  /usr/lib/wine/wine64 "$wine_dir/bin/plimbo-host.exe" "$@"
