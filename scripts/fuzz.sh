#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each of them in turn over its seed
# corpus, sharing a bounded time between them:
#   script_reader  slide scripts: read, write, read back the same slides
#   profile_text   profile text: parse, edit one key, write, read back
#   exchange       exchange file and tag list readers, and their writers
# Usage: scripts/fuzz.sh [seconds] [seed]  (default 60 s for all targets
# together, seed 1). With a fixed seed every run walks the same inputs, so a
# passing run passes again elsewhere; explore with another seed (or "random").
# A crash, a sanitizer report or a leak fails the run; the input that caused
# it is left in build/fuzz/<target>/ as crash-* or leak-*.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
seed="${2:-1}"
seed_flag=()
[[ "$seed" == random ]] || seed_flag=(-seed="$seed")
build=build/fuzz
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g -O1"
targets=(script_reader profile_text exchange)
# target -> seed corpus and dictionary in the repository
declare -A corpus=([script_reader]=fuzz/corpus [profile_text]=fuzz/corpus-profile-text
                   [exchange]=fuzz/corpus-exchange)
declare -A dicts=([script_reader]=fuzz/avl.dict [profile_text]=fuzz/profile.dict
                  [exchange]=fuzz/profile.dict)

cmake -S . -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=OFF \
  -DCMAKE_CXX_FLAGS="$flags -fsanitize=fuzzer-no-link" >/dev/null
cmake --build "$build" --target w95_editor -j2
libs=("$build"/libw95_editor.a "$build"/libw95_ui.a "$build"/libw95_settings.a
      "$build"/libw95_platform.a "$build"/libw95_text.a)
for t in "${targets[@]}"; do
  clang++ -std=c++20 $flags -fsanitize=fuzzer -Isrc "fuzz/${t}_fuzz.cpp" \
    -Wl,--start-group "${libs[@]}" -Wl,--end-group -o "$build/${t}_fuzz"
done

share=$(( seconds / ${#targets[@]} ))
(( share > 0 )) || share=1
for t in "${targets[@]}"; do
  echo "== fuzzing $t for ${share}s (seed $seed)"
  # A fresh corpus each run: inputs kept from earlier runs would change the walk.
  rm -rf "$build/$t/corpus" && mkdir -p "$build/$t/corpus"
  (cd "$build/$t" && "../${t}_fuzz" "${seed_flag[@]}" -max_total_time="$share" -timeout=10 -rss_limit_mb=2048 \
     -dict="../../../${dicts[$t]}" -print_final_stats=1 corpus "../../../${corpus[$t]}")
done
