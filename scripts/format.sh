#!/usr/bin/env bash
# Formats the C++ sources with the project's .clang-format.
# Usage: scripts/format.sh           rewrites every file that differs
#        scripts/format.sh --check   lists the files that differ and fails if any do
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "format: clang-format is not installed (scripts/setup.sh installs it)" >&2; exit 3; }
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
  bad=0
  for f in "${files[@]}"; do
    if ! clang-format --style=file "$f" | cmp -s - "$f"; then
      echo "format: $f differs from .clang-format (scripts/format.sh rewrites it)"
      bad=1
    fi
  done
  exit $bad
fi
clang-format --style=file -i "${files[@]}"
