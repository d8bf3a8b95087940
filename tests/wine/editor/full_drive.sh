#!/bin/sh
# Runs the full-drive tests of the editor on a real drive with no space
# left: a 64 KB tmpfs mounted for the run on C:\w95full of the Wine prefix
# and taken away again at the end. (A folder rather than a drive letter:
# Wine lists a new letter only once its server restarts, which would stop
# every other program running in the prefix.) Where the machine cannot
# mount one (no root, no tmpfs), says so in one line and reports the test
# skipped. Usage: full_drive.sh LOADER TEST_PROGRAM   (under scripts/with-wine.sh)
set -u
loader=$1
program=$2
if [ -z "${WINEPREFIX:-}" ]; then
  echo "full_drive: no WINEPREFIX: run under scripts/with-wine.sh" >&2
  exit 2
fi
mnt="$WINEPREFIX/drive_c/w95full"
# A run stopped before its end (a timeout kills it) leaves its mount behind.
if mountpoint -q "$mnt" 2>/dev/null; then umount "$mnt" 2>/dev/null; fi
mkdir -p "$mnt"
if ! mount -t tmpfs -o size=64k,mode=0777 w95full "$mnt" 2>/dev/null; then
  rmdir "$mnt"
  echo "skipped: this machine cannot mount a small drive (mount -t tmpfs needs root)"
  exit 77
fi
cleanup() {
  umount "$mnt" && rmdir "$mnt"
}
trap cleanup EXIT INT TERM
W95_FULL_FOLDER='c:\w95full' "$loader" "$program" --gtest_filter='FullDriveDll.*'
