#!/usr/bin/env bash
# Runs the chosen tests of a build folder again and again while other processes keep every core busy,
# and counts each test's failures: a test that waits for a time instead of an event fails here.
#   bash scripts/stress.sh BUILD RUNS [REGEX]    e.g.  bash scripts/stress.sh build 30 'core|gui|sound'
# The log of every failed run stays in BUILD/stress/. Exits non-zero if any run failed.
set -uo pipefail
build=${1:?usage: stress.sh BUILD RUNS [REGEX]} runs=${2:?usage: stress.sh BUILD RUNS [REGEX]} pattern=${3:-.}
mapfile -t tests < <(ctest --test-dir "$build" -N -R "$pattern" 2>/dev/null | sed -n 's/^ *Test *#[0-9]*: //p')
[ ${#tests[@]} -gt 0 ] || { echo "stress.sh: no test in $build matches '$pattern'" >&2; exit 2; }
mkdir -p "$build/stress"

if command -v stress-ng >/dev/null; then
    stress-ng --cpu "$(nproc)" --quiet &
else
    for _ in $(seq "$(nproc)"); do (while :; do :; done) & done
fi
trap 'kill $(jobs -p) 2>/dev/null' EXIT

status=0
for test in "${tests[@]}"; do
    failures=0
    for run in $(seq "$runs"); do
        log="$build/stress/$test.$run.log"
        if ctest --test-dir "$build" -R "^${test//./\\.}\$" --output-on-failure >"$log" 2>&1; then
            rm -f "$log"
        else
            failures=$((failures + 1))
        fi
    done
    echo "$test: $runs runs, $failures failed"
    [ "$failures" -eq 0 ] || status=1
done
exit "$status"
