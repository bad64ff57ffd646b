#!/usr/bin/env bash
# The real program in a real X server (Xvfb) with a window manager (openbox) and
# a session bus, as on a desktop, driven by keys as a player presses them.
set -uo pipefail
PROGRAM="$1"
HERE=$(dirname "$0")
source "$HERE/checks.sh"
desktop "$@"

box_open() { xdotool search --onlyvisible --name "^$1" >/dev/null 2>&1; }

# Start-up, help, solution, and a game of four-letter words won from the keyboard
# (the whole alphabet holds every letter of any of them), all watched for files written.
start_game strace -f -qq -o "$SCRATCH/calls" -e trace=open,openat,creat,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,link,linkat,symlink,symlinkat,truncate "$PROGRAM"
check "the window opens titled Zeichenfang 2007" test "$(xdotool getwindowname "$WINDOW" 2>/dev/null)" = "Zeichenfang 2007"
check "it opens maximized" bash -c "xprop -id $WINDOW _NET_WM_STATE | grep MAXIMIZED_VERT | grep -q MAXIMIZED_HORZ"
press alt+1
press alt+r
press alt+l
check "Lösung shows the word" box_open "L.*sung$"
press Return
for key in a b c d e f g h i j k l m n o p q r s t u v w x y z adiaeresis odiaeresis udiaeresis ssharp; do
    press "$key"
    box_open "Herzlichen Gl" && break
done
check "typing letters wins the word" box_open "Herzlichen Gl"
press Return
press alt+z
press alt+e
check "Ende ends the program, with status 0" ends_cleanly
# Only what the system's own libraries keep: the sound library's folder in the session.
written=$(grep -v '= -1 ' "$SCRATCH/calls" | grep -E 'open(at)?\(.*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC)|^[0-9]+ +(creat|mkdir|mkdirat|rename|renameat2?|unlink|unlinkat|link|linkat|symlink|symlinkat|truncate)\(' \
    | grep -vE '"/(dev|proc|sys)/|"'"$XDG_RUNTIME_DIR"'/pulse"')
check "a whole game writes no file" test -z "$written"
[ -n "$written" ] && echo "$written"

# The close box ends a running game at once, without a question; the program
# lies in a folder whose path has blanks and umlauts.
FOLDER="$SCRATCH/Mein Spiel/Übung"
mkdir -p "$FOLDER" && cp "$(dirname "$PROGRAM")"/{zeichenfang,zeichenfang-sound.so,*.wav} "$FOLDER"
start_game "$FOLDER/zeichenfang"
press alt+2
press a
xdotool key --clearmodifiers alt+F4 # openbox closes the window as its close box does
check "the close box ends a game at once" ends_within 5
kill -9 "$APP" 2>/dev/null

# A termination signal still ends the program after a sound cue has started.
start_game
press alt+3
press q
kill -TERM "$APP"
check "SIGTERM ends the program after a cue" ends_within 5
kill -9 "$APP" 2>/dev/null

summary
