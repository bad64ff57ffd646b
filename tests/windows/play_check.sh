#!/usr/bin/env bash
# The installed game under Wine, on the X display it is given, played by keys as a player
# would: it shows "Zeichenfang 2007", Alt+2 starts a six-letter word, every letter is
# answered with a cue that the game reads from its own folder, and Alt+Z, Alt+E end it.
# Run by install_check.sh with WINEPREFIX set:
#   xvfb-run -a bash tests/windows/play_check.sh INSTALL-FOLDER
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
INSTALL_DIR="$1"
SCRATCH="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$SCRATCH"' EXIT

openbox >/dev/null 2>&1 &
wait_until 30 xprop -root _NET_SUPPORTING_WM_CHECK >/dev/null 2>&1 || fail "openbox did not start"

# Wine plays through ALSA's default device: here its null device, as no sound card is needed.
printf 'pcm.!default { type null }\n' > "$SCRATCH/.asoundrc"
# Every opening of a file in the game's folder, by whichever of Wine's processes opens it.
inotifywait -m -e open --format '%f' "$INSTALL_DIR" > "$SCRATCH/opened" 2> "$SCRATCH/inotify.log" &
wait_until 30 grep -q 'Watches established' "$SCRATCH/inotify.log" || fail "inotifywait did not start"

HOME="$SCRATCH" wine "$INSTALL_DIR/zeichenfang.exe" &
game=$!
window=""
found_window() { window="$(xdotool search --name '^Zeichenfang 2007$' 2>/dev/null | head -n1)" && [ -n "$window" ]; }
wait_until 60 found_window || fail "no window \"Zeichenfang 2007\""
active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$window" ]; }
wait_until 30 active || xdotool windowactivate --sync "$window" || fail "the window never took the focus"

cues() { grep -cE '^(kontrollton|fehlerton|gewonnen)\.wav$' "$SCRATCH/opened" || true; }
heard_more() { (($(cues) > $1)); }
# Keys go where the focus is, through the X server's test extension, as a keyboard's would.
# A key pressed before the game is ready is lost: keys go again until a cue answers. Alt+2
# again, or Alt+Z at the choice of length, is no key the game takes.
keys_answered() { # keys...
    xdotool key "$@"
    wait_until 1 heard_more "$before"
}
for keys in "alt+2 e" "q" "n"; do
    before=$(cues)
    # shellcheck disable=SC2086 # a list of keys
    wait_until 30 keys_answered $keys || fail "no cue answered $keys"
done
echo "cue files read from the game's folder: $(cues)"

ended() {
    xdotool key alt+z alt+e 2>/dev/null
    wait_until 1 eval '! kill -0 "$game" 2>/dev/null'
}
wait_until 30 ended || fail "the game did not end on Alt+Z, Alt+E"
wait "$game" || fail "the game ended with status $?"
wineserver --wait # Wine's own processes end before the screen does
echo "the installed game played and ended: OK"
