# Shared by the end-to-end and package checks: a tally of checks, and one run of
# the program in a fresh X server with openbox and a session bus, as on a desktop.
passed=0 failed=0
check() { # description, command...
    if "${@:2}"; then echo "PASS: $1"; passed=$((passed + 1)); else echo "FAIL: $1"; failed=$((failed + 1)); fi
}
summary() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; }

# Starts the program, waits for its window, types Alt+1 and "q", and tells
# whether the miss cue was read from the given folder (SDL's dummy device plays it).
window_and_cue_from() { # program, folder
    local calls; calls=$(mktemp) # not beside the folder: an installed one is not ours to write to
    xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash -c '
        openbox >/dev/null 2>&1 & manager=$!
        SDL_AUDIODRIVER=dummy strace -f -qq -e trace=openat -o "$3" "$1" >/dev/null 2>&1 & tracer=$!
        window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Zeichenfang 2007$" | head -n1)
        sleep 1 # openbox manages the window a moment after it maps
        xdotool windowactivate --sync "$window" key --clearmodifiers alt+1 sleep 0.5 key q sleep 0.7
        pkill -P $tracer; wait $tracer; kill $manager
        [ -n "$window" ] && grep -v "= -1" "$3" | grep -qF "\"$2/fehlerton.wav\""' _ "$1" "$2" "$calls"
    local found=$?; rm -f "$calls"; return $found
}
