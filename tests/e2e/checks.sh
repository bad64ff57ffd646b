# Shared by the end-to-end and package checks: a tally of checks, and one run of
# the program in a fresh X server with openbox and a session bus, as on a desktop.
passed=0 failed=0
check() { # description, command...
    if "${@:2}"; then echo "PASS: $1"; passed=$((passed + 1)); else echo "FAIL: $1"; failed=$((failed + 1)); fi
}
summary() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; }

# Runs the script again in Xvfb with a session bus; there, openbox and a fresh home and session folder.
desktop() { # the script's arguments
    if [ -z "${ZF_E2E_INSIDE:-}" ]; then
        export ZF_E2E_INSIDE=1
        exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- "$0" "$@"
    fi
    openbox >/dev/null 2>&1 &
    for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done
    sleep 1 # openbox announces itself a moment before it manages new windows
    SCRATCH=$(mktemp -d)
    export HOME="$SCRATCH/home" XDG_RUNTIME_DIR="$SCRATCH/run"
    mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
    trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$SCRATCH"' EXIT
}

APP="" WINDOW=""
start_game() { # [command that runs the program...]
    "${@:-$PROGRAM}" >/dev/null 2>&1 &
    APP=$!
    WINDOW=$(timeout 15 xdotool search --sync --onlyvisible --name '^Zeichenfang 2007$' | head -n1)
    [ -n "$WINDOW" ] && xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1
    sleep 0.5
}
press() { xdotool key --clearmodifiers "$@"; sleep 0.7; } # longer than a cue's pause
ends_within() { for _ in $(seq $(($1 * 10))); do kill -0 "$APP" 2>/dev/null || return 0; sleep 0.1; done; return 1; }
ends_cleanly() { ends_within 5 && wait "$APP"; }
