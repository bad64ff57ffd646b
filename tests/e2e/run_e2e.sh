#!/usr/bin/env bash
# Drives the real program in a real X server (Xvfb) with a window manager
# (openbox), through keys sent as a player would press them.
set -uo pipefail
PROGRAM="$1"

if [ -z "${ZF_E2E_INSIDE:-}" ]; then
    export ZF_E2E_INSIDE=1
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

failures=0
check() { # description, command...
    local description="$1"; shift
    if "$@"; then echo "PASS: $description"; else echo "FAIL: $description"; failures=$((failures + 1)); fi
}

openbox >/dev/null 2>&1 &
OPENBOX=$!
trap 'kill $OPENBOX 2>/dev/null' EXIT
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
sleep 1 # openbox announces itself a moment before it manages new windows

APP=""
WINDOW=""
start_game() {
    "$PROGRAM" >/dev/null 2>&1 &
    APP=$!
    WINDOW=$(timeout 15 xdotool search --sync --onlyvisible --name '^Zeichenfang 2007$' | head -n1)
    [ -n "$WINDOW" ] && xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1
    sleep 0.5
}
running() { kill -0 "$APP" 2>/dev/null; }
ends_within() { # seconds
    for _ in $(seq $(($1 * 10))); do running || return 0; sleep 0.1; done
    return 1
}
press() { xdotool key --clearmodifiers "$@"; sleep 0.6; }
maximized() { xprop -id "$WINDOW" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_VERT \
              && xprop -id "$WINDOW" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_HORZ; }

# 1. Start-up: the window opens maximized with its title; Alt+E ends the program.
start_game
check "the window opens" test -n "$WINDOW"
check "its title is Zeichenfang 2007" test "$(xdotool getwindowname "$WINDOW" 2>/dev/null)" = "Zeichenfang 2007"
check "it opens maximized" maximized
# Alt+3 starts a game; "Ende" is hidden then, so Alt+E must do nothing.
press alt+3
press e n
press alt+e
check "Alt+E does nothing during a game" running
press alt+z
press alt+e
check "after Zurück, Alt+E ends the program" ends_within 5
wait "$APP" 2>/dev/null
check "the program exits cleanly" test $? -eq 0

# 2. The close box (through the window manager) ends a running game at once.
start_game
press alt+1
press a
press alt+F4 # openbox closes the window as its close box does
check "closing the window during a game ends the program" ends_within 5
running && kill -9 "$APP"

# 3. A termination signal still ends the program after the sound has started.
start_game
press alt+2
press q
kill -TERM "$APP"
check "SIGTERM ends the program after a sound cue" ends_within 5
running && kill -9 "$APP"

echo "$((9 - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
