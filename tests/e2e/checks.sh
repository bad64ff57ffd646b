# Shared by the end-to-end and package checks: a tally of checks, and one run of
# the program in a fresh X server with openbox and a session bus, as on a desktop.
passed=0 failed=0
check() { if "${@:2}"; then echo "PASS: $1"; passed=$((passed + 1)); else echo "FAIL: $1"; failed=$((failed + 1)); fi; } # description, command...
summary() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; }

# Runs the script again in Xvfb with a session bus; there, openbox and a fresh home and session folder.
desktop() { # the script's arguments
    [ -n "${ZF_E2E_INSIDE:-}" ] || ZF_E2E_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- "$0" "$@"
    openbox >/dev/null 2>&1 & xmessage -name zf-probe probe >/dev/null 2>&1 &
    # openbox announces itself a moment before it manages new windows: wait until it has framed one
    for _ in $(seq 100); do xprop -id "$(xdotool search --classname '^zf-probe$')" _NET_FRAME_EXTENTS 2>/dev/null | grep -q = && break; sleep 0.1; done; kill $!
    SCRATCH=$(mktemp -d) && export HOME="$SCRATCH/home" XDG_RUNTIME_DIR="$SCRATCH/run" && mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
    trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$SCRATCH"' EXIT
}

APP="" WINDOW="" GAME=""
start_game() { # [command that runs the program...]; then its window is active, has the focus, and the game waits for keys
    "${@:-$PROGRAM}" >/dev/null 2>&1 &
    APP=$! WINDOW=$(timeout 15 xdotool search --sync --onlyvisible --name '^Zeichenfang 2007$' | head -n1)
    [ -n "$WINDOW" ] && xdotool windowactivate --sync "$WINDOW" >/dev/null 2>&1 && GAME=$(xdotool getwindowpid "$WINDOW") || return 1
    for _ in $(seq 50); do [ "$(xdotool getwindowfocus)" = "$WINDOW" ] && break; sleep 0.1; done; settled
}
# A key is handled once the game's main thread has woken since and waits in poll (x86-64's: its third argument is
# the time to the next timer) with no timer due within 0.1 s: an access key clicks 0.1 s late, a cue's pause sleeps.
woken() { grep -s ^voluntary_ctxt_switches "/proc/$GAME/status"; }
settled() { # what woken said before the key
    for _ in $(seq 100); do [ -e "/proc/$GAME" ] || return 0; read -r call _ _ due _ < "/proc/$GAME/syscall"
        [[ $call == 7 ]] && (((due & 0xffffffff) > 100)) && [ "$(woken)" != "${1:-}" ] && return 0; sleep 0.05; done; return 1; }
press() { local before; before=$(woken); ${ON_KEY:-true} "$@"; xdotool key --clearmodifiers "$@"; settled "$before"; }
ends_within() { for _ in $(seq $(($1 * 10))); do kill -0 "$APP" 2>/dev/null || return 0; sleep 0.1; done; return 1; }
ends_cleanly() { ends_within 5 && wait "$APP"; }
