#!/bin/sh
# Runs the explorer's test of a folder of 100,000 files: the folder
# (C:\w95huge of the Wine prefix, empty files f000000.bmp to f099999.bmp) is
# made from outside Wine on the first run and kept. Usage:
# huge_folder.sh LOADER TEST_PROGRAM   (under scripts/with-wine.sh)
set -eu
loader=$1
program=$2
if [ -z "${WINEPREFIX:-}" ]; then
  echo "huge_folder: no WINEPREFIX: run under scripts/with-wine.sh" >&2
  exit 2
fi
dir="$WINEPREFIX/drive_c/w95huge"
if [ ! -e "$dir/f099999.bmp" ]; then
  mkdir -p "$dir"
  (cd "$dir" && seq -f 'f%06g.bmp' 0 99999 | xargs touch)
fi
W95_HUGE_FOLDER='c:\w95huge' "$loader" "$program" --gtest_filter='HugeFolderDll.*'
