#!/usr/bin/env bash
# Fuzzes the cue decoder and mixer with libFuzzer (clang, AddressSanitizer,
# UndefinedBehaviorSanitizer) for the given seconds, from the seeds, the game's cues and every
# input that ever failed; any report fails the run and leaves the input in
# build-fuzz/ (keep it in fuzz/regressions/ once mended):
#   bash scripts/fuzz.sh [seconds]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_build_depends
install_missing "${BUILD_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
CXX=clang++ cmake -S "$ROOT" -B "$ROOT/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=ON -DZEICHENFANG_FUZZ=ON >/dev/null
cmake --build "$ROOT/build-fuzz" --target fuzz_cue
mkdir -p "$ROOT/build-fuzz/corpus" # the game's cues and what the run adds: the committed seeds stay as they are
cp "$ROOT"/sounds/*.wav "$ROOT/build-fuzz/corpus/"
"$ROOT/build-fuzz/bin/fuzz_cue" -max_total_time="${1:-60}" -print_final_stats=1 -artifact_prefix="$ROOT/build-fuzz/" \
    "$ROOT/build-fuzz/corpus" "$ROOT/fuzz/seeds" "$ROOT/fuzz/regressions"
