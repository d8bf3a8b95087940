#!/usr/bin/env bash
# Builds the slide-script reader's fuzzer with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs it for a bounded time over the seed
# corpus in fuzz/corpus. Usage: scripts/fuzz.sh [seconds]  (default 60)
# A crash, a sanitizer report or a leak fails the run; the input that caused
# it is left in build/fuzz/ as crash-* or leak-*.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build=build/fuzz
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g -O1"

cmake -S . -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=OFF \
  -DCMAKE_CXX_FLAGS="$flags -fsanitize=fuzzer-no-link" >/dev/null
cmake --build "$build" --target w95_editor -j2
clang++ -std=c++20 $flags -fsanitize=fuzzer -Isrc fuzz/script_reader_fuzz.cpp \
  -Wl,--start-group "$build"/libw95_editor.a "$build"/libw95_ui.a "$build"/libw95_settings.a \
  "$build"/libw95_platform.a "$build"/libw95_text.a -Wl,--end-group -o "$build/script_reader_fuzz"

mkdir -p "$build/corpus"
cd "$build"
echo "== fuzzing the script reader for ${seconds}s"
./script_reader_fuzz -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -dict=../../fuzz/avl.dict -print_final_stats=1 corpus ../../fuzz/corpus
