#!/usr/bin/env bash
# The edit-test loop: the native build (headless UI, simulated machine) and
# its tests only, no Wine. Under a minute once the build is warm.
# Usage: scripts/quick.sh [PATTERN]   (PATTERN: only the tests whose names match, as ctest -R)
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
[ -f build/native/build.ninja ] || cmake --preset native >/dev/null
cmake --build --preset native -j"$jobs"
if [ $# -gt 0 ]; then
  ctest --preset native -j"$jobs" -R "$1"
else
  ctest --preset native -j"$jobs"
fi
