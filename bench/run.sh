#!/usr/bin/env bash
# Builds the benchmarks and prints their figures (about three minutes from a clean build;
# the start-up figures need xvfb and python3-xlib, the first-cue figures a sound server or
# Debian's pulseaudio package, and ALSA):
#   bash bench/run.sh [build-dir]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${1:-$ROOT/build}"
cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEICHENFANG_BENCHMARKS=ON >/dev/null
cmake --build "$BUILD_DIR" --parallel --target bench_core sound_latency first_cue zeichenfang zeichenfang_sound_module >/dev/null

echo "== word lists and word pick"
"$BUILD_DIR/bin/bench_core"

echo "== sound: what it costs the window's thread (SDL's dummy device)"
SDL_AUDIODRIVER=dummy "$BUILD_DIR/bin/sound_latency"

echo "== the first cue, and the first after a quiet spell: PulseAudio, then ALSA's null device"
# Without a sound server, a private one with a null sink (Debian's pulseaudio package) stands in.
if ! pactl info >/dev/null 2>&1 && command -v pulseaudio >/dev/null; then
    export XDG_RUNTIME_DIR HOME
    XDG_RUNTIME_DIR=$(mktemp -d) HOME=$XDG_RUNTIME_DIR
    pulseaudio -n --daemonize=no --exit-idle-time=-1 -L module-null-sink -L module-native-protocol-unix \
        --log-level=error >/dev/null 2>&1 &
    trap 'kill $!; rm -rf "$XDG_RUNTIME_DIR"' EXIT
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
fi
SDL_AUDIODRIVER=pulseaudio "$BUILD_DIR/bin/first_cue" || true
SDL_AUDIODRIVER=alsa AUDIODEV=null "$BUILD_DIR/bin/first_cue" || true

if command -v xvfb-run >/dev/null; then
    echo "== start-up against a bare Qt window"
    bash "$ROOT/bench/startup/run.sh" "$BUILD_DIR"
fi
