#!/usr/bin/env bash
# Runs a command with a private Wine prefix on a private Xvfb display, then
# stops both. Usage: scripts/with-wine.sh [--arch 64|32] [--prefix DIR] [--display N | --visible] cmd args...
# --visible: no private display; windows appear on the caller's $DISPLAY.
# --arch 64 (default): a 64-bit prefix, build/wineprefix, programs run by wine64.
# --arch 32: a 32-bit prefix (WINEARCH=win32), build/wineprefix32, programs run
# by the 32-bit loader: this is how the i686 product DLL runs.
# The prefix is made once (about 15 s) and reused; the display and the
# wineserver are started here and stopped on exit. The command sees W95_WINE,
# the loader to start Windows programs with, and W95_WINE_ARCH.
set -euo pipefail
export WINESERVER=/usr/lib/wine/wineserver64
here=$(cd "$(dirname "$0")/.." && pwd)
arch="${W95_WINE_ARCH:-64}"
prefix=""
display=""
visible=0
while [ $# -gt 0 ]; do
  case "$1" in
    --arch) arch="$2"; shift 2 ;;
    --prefix) prefix="$2"; shift 2 ;;
    --display) display="$2"; shift 2 ;;
    --visible) visible=1; shift ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--arch 64|32] [--prefix DIR] [--display N | --visible] command..." >&2; exit 2; }
case "$arch" in
  64) WINE=/usr/lib/wine/wine64; unset WINEARCH
      prefix="${prefix:-${W95_WINEPREFIX:-$here/build/wineprefix}}" ;;
  32) WINE=/usr/lib/wine/wine; export WINEARCH=win32
      prefix="${prefix:-${W95_WINEPREFIX32:-$here/build/wineprefix32}}"
      if [ ! -x "$WINE" ]; then
        echo "with-wine: no 32-bit Wine loader ($WINE); scripts/setup.sh installs it where the machine can run 32-bit code" >&2
        exit 3
      fi ;;
  *) echo "with-wine: --arch is 64 or 32" >&2; exit 2 ;;
esac
export W95_WINE="$WINE" W95_WINE_ARCH="$arch"

xvfb_pid=""
if [ "$visible" = 1 ]; then
  [ -n "${DISPLAY:-}" ] || { echo "with-wine: --visible needs DISPLAY" >&2; exit 2; }
else
  if [ -z "$display" ]; then
    # Xvfb picks a free display itself and tells its number: no race with
    # other test runs on this machine starting their own at the same time.
    numfile=$(mktemp)
    Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$numfile" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$numfile" ] && break; sleep 0.1; done
    display=$(tr -dc 0-9 < "$numfile")
    rm -f "$numfile"
    [ -n "$display" ] || { echo "with-wine: Xvfb did not start" >&2; exit 3; }
  else
    Xvfb :"$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
  fi
  export DISPLAY=:"$display"
fi
export WINEPREFIX="$prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winhlp32.exe=d"
alsa_conf="$prefix.alsa.conf"
cleanup() {
  /usr/lib/wine/wineserver64 -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" >/dev/null 2>&1 || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT
[ -z "$xvfb_pid" ] || for _ in $(seq 50); do [ -e /tmp/.X11-unix/X"$display" ] && break; sleep 0.1; done

if [ ! -f "$prefix/.w95-ready" ]; then
  mkdir -p "$prefix"
  "$WINE" wineboot -i >/dev/null 2>&1 || true
  "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
  /usr/lib/wine/wineserver64 -w || true
  touch "$prefix/.w95-ready"
fi
printf '<%s>\npcm.!default { type null }\nctl.!default { type null }\n' \
  /usr/share/alsa/alsa.conf > "$alsa_conf"
export ALSA_CONFIG_PATH="$alsa_conf"
/usr/lib/wine/wineserver64 -p >/dev/null 2>&1 || true
# Start the prefix services now, detached from the caller's output: test
# runners wait for every process that holds their pipes.
"$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
"$@"
