#!/usr/bin/env bash
# Start-up of the game against a bare Qt Widgets window of the same shape, and
# the targets: start-up within 1.1x the bare window, memory within 1.25x, no CPU
# while idle. Two more programs tell where a difference comes from: the game
# without its sound module (silent), and the bare window holding the game's
# sixteen controls.
#   bash bench/startup/run.sh [build-dir]
# STARTUP_RUNS launches of each (default 9), interleaved, after one discarded
# warm-up of each. Needs the Debian packages xvfb, xauth, python3-xlib,
# qt6-base-dev, cmake, ninja-build and g++; installs nothing itself.
set -euo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
ROOT="$(cd "$HERE/../.." && pwd)"
BUILD_DIR="${1:-$ROOT/build}"
RUNS="${STARTUP_RUNS:-9}"
if [[ ! $RUNS =~ ^[1-9][0-9]*$ ]]; then
    echo "STARTUP_RUNS must be a positive whole number, not '$RUNS'" >&2
    exit 2
fi

# A configured build directory keeps its own source tree; a new one is made from this one.
if [[ ! -f "$BUILD_DIR/CMakeCache.txt" ]]; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
fi
cmake --build "$BUILD_DIR" --target zeichenfang zeichenfang_sound_module >/dev/null

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
cmake -S "$HERE" -B "$WORK/bare" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$WORK/bare" >/dev/null
# The game as it is, and a copy beside its cues but without its sound module.
mkdir "$WORK/silent" && cp "$BUILD_DIR"/bin/zeichenfang "$BUILD_DIR"/bin/*.wav "$WORK/silent"

export GAME="$BUILD_DIR/bin/zeichenfang" MEASURE="$HERE/measure.py" RUNS WORK
# One server for every launch, and no window manager (see measure.py); the
# programs take turns so that drift in the machine's load touches all alike.
# Idle CPU is measured for the game and the bare window only.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    set -euo pipefail
    for ((run = 0; run <= RUNS; run++)); do
        for name in game silent controls bare; do
            case $name in
                game) program=("$GAME") idle=5 ;;
                silent) program=("$WORK/silent/zeichenfang") idle=0 ;;
                controls) program=("$WORK/bare/bare_window" --controls) idle=0 ;;
                bare) program=("$WORK/bare/bare_window") idle=5 ;;
            esac
            figures=$(/usr/bin/python3 "$MEASURE" --idle $idle "${program[@]}")
            # Run 0 warms the page cache and the font cache; it is not counted.
            ((run > 0)) && echo "$figures" >>"$WORK/$name.txt"
            printf . >&2
        done
    done
    echo >&2'

# Other work on the machine widens the spread most; the load over the run's last
# minute says how quiet it was (the launches themselves mostly sleep).
read -r load _ </proc/loadavg
echo "Start-up on Xvfb without a window manager, $RUNS interleaved launches each," \
    "load average $load; median (min–max)"
echo
/usr/bin/python3 "$HERE/table.py" "$WORK/game.txt" "$WORK/bare.txt" "$WORK/silent.txt" "$WORK/controls.txt"
