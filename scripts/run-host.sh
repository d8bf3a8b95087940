#!/usr/bin/env bash
# The main job: build the product DLL and run the sample host against the
# library under Wine (the 64-bit build of the same sources).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset win32 >/dev/null && cmake --build --preset win32 >/dev/null
cmake --preset wine >/dev/null && cmake --build --preset wine --target plimbo-host >/dev/null
echo "product DLL: build/win32/bin/w95ZOK56.dll"
scripts/with-wine.sh /usr/lib/wine/wine64 build/wine/bin/plimbo-host.exe "$@"
