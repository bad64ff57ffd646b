#!/usr/bin/env bash
# Builds the benchmarks and prints their figures:
#   bash bench/run.sh [build-dir]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${1:-$ROOT/build}"
cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEICHENFANG_BENCHMARKS=ON >/dev/null
cmake --build "$BUILD_DIR" --parallel --target bench_core sound_latency zeichenfang >/dev/null

echo "== word lists and word pick"
"$BUILD_DIR/bin/bench_core"

echo "== sound cues (SDL's dummy driver: the cost on the user-interface thread)"
SDL_AUDIODRIVER=dummy "$BUILD_DIR/bin/sound_latency"

if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null; then
    echo "== start-up: program launch until its window is mapped (Xvfb, 5 runs)"
    xvfb-run -a bash -c '
        for run in 1 2 3 4 5; do
            start=$(date +%s%N)
            "$0" >/dev/null 2>&1 &
            app=$!
            xdotool search --sync --onlyvisible --name "^Zeichenfang 2007$" >/dev/null
            echo "run $run: $(( ($(date +%s%N) - start) / 1000000 )) ms"
            kill $app; wait $app 2>/dev/null
        done' "$BUILD_DIR/bin/zeichenfang"
fi
