#!/usr/bin/env bash
# The main job: build the product DLL (32-bit), check its export table, and
# run the sample host against it under Wine: the i686 host and product DLL
# under 32-bit Wine where this machine can run 32-bit code, otherwise the
# 64-bit build of the same sources under wine64 (it says which).
# Usage: scripts/run-host.sh [host command...]
# Without a command: where a display is set (DISPLAY), the sample host's
# window opens there for a person to use (its menu calls every export); with
# no display, or with the command "tour", it runs the tour on a private Xvfb:
# every window of the library opened through the DLL and used as a person
# would, with a screenshot of each step in build/tour/ (index.html,
# contact-sheet.png). "help" lists the host's other commands.
# Optional: W95_WIN32_BUILD, W95_WINE_BUILD (build folders), W95_WINEPREFIX,
# W95_WINEPREFIX32, W95_DISPLAY (Xvfb display number), W95_HOST_ARCH=64 to
# use the 64-bit pair even where the 32-bit one can run.
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
arch=64
why=""
if [ "${W95_HOST_ARCH:-}" = 64 ]; then
  why="W95_HOST_ARCH=64 asks for the 64-bit pair"
elif ! why=$(scripts/can-run-32.sh 2>&1); then
  :
elif [ ! -x /usr/lib/wine/wine ]; then
  why="no 32-bit Wine loader (wine32) is installed"
else
  arch=32
fi

echo "run-host: building the product DLL and the sample host (first time: a few minutes)"
step "configuring the 32-bit build" cmake --preset win32 -B "$win32_dir"
step "building the 32-bit DLL" cmake --build "$win32_dir" --target w95ZOK56
python3 scripts/check-dll.py "$win32_dir/bin/w95ZOK56.dll" "$win32_dir/export-table.txt"
if [ "$arch" = 32 ]; then
  step "building the 32-bit sample host" cmake --build "$win32_dir" --target plimbo-host
  host="$win32_dir/bin/plimbo-host.exe"
  echo "run-host: running the product itself: the i686 host and $win32_dir/bin/w95ZOK56.dll under 32-bit Wine"
else
  step "configuring the Wine build" cmake --preset wine -B "$wine_dir"
  step "building the sample host" cmake --build "$wine_dir" --target plimbo-host
  host="$wine_dir/bin/plimbo-host.exe"
  echo "run-host: running the 64-bit twin $wine_dir/bin/w95ZOK56.dll under wine64 ($why)"
fi
loader=$( [ "$arch" = 32 ] && echo /usr/lib/wine/wine || echo /usr/lib/wine/wine64 )
echo "run-host: starting the sample host (first time: the Wine prefix is made, ~20 s)"
echo
if [ $# -eq 0 ] && [ -n "${DISPLAY:-}" ]; then
  echo "run-host: the host window is on display $DISPLAY; close it to end"
  exec scripts/with-wine.sh --arch "$arch" --visible "$loader" "$host" window
fi
if [ $# -eq 0 ] || [ "$1" = tour ]; then
  tour_dir="$PWD/build/tour"
  rm -rf "$tour_dir"
  mkdir -p "$tour_dir"
  status=0
  scripts/with-wine.sh --arch "$arch" ${W95_DISPLAY:+--display "$W95_DISPLAY"} \
    "$loader" "$host" tour "Z:${tour_dir//\//\\}" || status=$?
  echo
  scripts/tour-report.sh "$tour_dir"
  echo "run-host: open $tour_dir/index.html to see every step"
  exit "$status"
fi
scripts/with-wine.sh --arch "$arch" ${W95_DISPLAY:+--display "$W95_DISPLAY"} "$loader" "$host" "$@"
