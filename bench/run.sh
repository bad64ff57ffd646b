#!/usr/bin/env bash
# Builds the benchmarks and prints their figures:
#   bash bench/run.sh [build-dir]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${1:-$ROOT/build}"
cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEICHENFANG_BENCHMARKS=ON >/dev/null
cmake --build "$BUILD_DIR" --parallel --target bench_core sound_latency first_cue zeichenfang zeichenfang-sound >/dev/null

echo "== word lists and word pick"
"$BUILD_DIR/bin/bench_core"

echo "== sound: what it costs the window's thread (SDL's dummy device)"
SDL_AUDIODRIVER=dummy "$BUILD_DIR/bin/sound_latency"

echo "== the first cue after start-up, on this machine's sound device (5 runs each)"
for delay in 0 100; do
    for _ in 1 2 3 4 5; do "$BUILD_DIR/bin/first_cue" "$delay" || true; done
done

if command -v xvfb-run >/dev/null; then
    echo "== start-up against a bare Qt window"
    bash "$ROOT/bench/startup/run.sh" "$BUILD_DIR"
fi
