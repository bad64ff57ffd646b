#!/usr/bin/env bash
# The real program in Xvfb with openbox and a session bus, as on a desktop, driven by keys as a player
# presses them. Then a blind player's short game with Orca, headless and in German, speaking through a
# voice that only writes down its text; and all a screen reader asks of the letter box, which must leave
# the game answering (asked also without Orca, with Qt's accessibility switched on by hand).
set -uo pipefail
PROGRAM="$1"
HERE=$(dirname "$0")
source "$HERE/checks.sh"
desktop "$@"

# Title, tenths of a second. Qt makes a box's window as it shows it, so once a key is handled the box is
# there, mapped by the window manager or not; a later letter could press its OK.
box_open() { for _ in $(seq "${2:-50}"); do xdotool search --name "^$1" >/dev/null 2>&1 && return 0; sleep 0.1; done; return 1; }

# Start-up, help, solution, and a game of four-letter words won from the keyboard
# (the whole alphabet holds every letter of any of them), all watched for files written.
start_game strace -f -qq -o "$SCRATCH/calls" -e trace=open,openat,creat,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,link,linkat,symlink,symlinkat,truncate "$PROGRAM"
check "the window opens titled Zeichenfang 2007" test "$(xdotool getwindowname "$WINDOW" 2>/dev/null)" = "Zeichenfang 2007"
check "it opens maximized" bash -c "xprop -id $WINDOW _NET_WM_STATE | grep MAXIMIZED_VERT | grep -q MAXIMIZED_HORZ"
press alt+1; press alt+r; press alt+l
check "Lösung shows the word" box_open "L.*sung$"
press Return
for key in a b c d e f g h i j k l m n o p q r s t u v w x y z adiaeresis odiaeresis udiaeresis ssharp; do press "$key" && box_open "Herzlichen Gl" 1 && break; done
check "typing letters wins the word" box_open "Herzlichen Gl"
press Return; press alt+z; press alt+e
check "Ende ends the program, with status 0" ends_cleanly
# Only what the system's own libraries keep: the sound library's folder in the session.
written=$(grep -v '= -1 ' "$SCRATCH/calls" | grep -E 'open(at)?\(.*(O_WRONLY|O_RDWR|O_CREAT|O_TRUNC)|^[0-9]+ +(creat|mkdir|mkdirat|rename|renameat2?|unlink|unlinkat|link|linkat|symlink|symlinkat|truncate)\(' \
    | grep -vE '"/(dev|proc|sys)/|"'"$XDG_RUNTIME_DIR"'/pulse"')
check "a whole game writes no file" eval '[ -z "$written" ] || ! echo "$written"'

# The close box ends a running game at once, without a question.
start_game
press alt+2
xdotool key --clearmodifiers alt+F4 # openbox closes the window as its close box does
check "the close box ends a game at once" eval '[ -n "$WINDOW" ] && ends_within 5'
kill -9 "$APP" 2>/dev/null

# A blind player's game: what Orca says is written down, each line after the time it came.
SPOKEN="$SCRATCH/spoken" MARK=0 && : > "$SPOKEN"
said() { tail -n +$((MARK + 1)) "$SPOKEN" | cut -d'|' -f2-; } # since the last key
heard() { for _ in $(seq "${2:-50}"); do said | grep -qE "$1" && return 0; sleep 0.1; done; return 1; } # regex, tenths of a second
mark() { MARK=$(wc -l < "$SPOKEN"); echo "$(date +%s.%N)|KEY $*" >> "$SPOKEN"; }
ON_KEY=mark # press marks the spoken log
PLACES='(Punkt|[A-ZÄÖÜß])(, (Punkt|[A-ZÄÖÜß]))*'
mask() { said | grep -oE "$PLACES\.?$" | tail -n1 | sed 's/Punkt/./g; s/, //g; s/\.$//'; } # as the box shows it
guess() { # key, capital, count: a hit or a miss, the count, then the mask, which holds the letter exactly when it hits
    press "$1" && heard "^(Treffer|Daneben), Versuch $3, $PLACES\.?$" || return 1
    [[ $(said | grep -c '^Treffer') == 1 && $(mask) == *$2* || $(said | grep -c '^Daneben') == 1 && $(mask) != *$2* ]]; }
reads() { # the letter box as it shows; Orca ends on a period and says 3 or 4 dots at the end as "Punkt Punkt Punkt"
    local box; box=$(sed -E 's/(^|[^.])\.{3,4}$/\1.../' <<< "$1")
    for _ in $(seq 50); do said | sed 's/Punkt/./g; s/ //g' | grep -qxF -e "$box" -e "$box." && return 0; sleep 0.1; done; return 1; }
tabs() { for name in "$@"; do mark Tab; xdotool key Tab; heard "^$name" || return 1; done; } # Orca names each control
box_answers() { local answers; answers=$(timeout 60 /usr/bin/python3 "$HERE/text_queries.py" "$APP") && echo "$answers" && BOX=${answers##*$'\n'}; }

if command -v orca >/dev/null; then
    mkdir -p "$SCRATCH/speech/modules" "$SCRATCH/orca" && echo default_driver=null > "$HOME/.libao"
    printf '%s\n' 'AudioOutputMethod "libao"' 'DefaultModule recorder' 'DefaultLanguage "de"' \
        'AddModule "recorder" "sd_generic" "recorder.conf"' > "$SCRATCH/speech/speechd.conf"
    printf '%s\n' "GenericExecuteSynth \"printf '%s|%s\\\\n' \\\"\\\$(date +%s.%N)\\\" \\'\$DATA\\' >> $SPOKEN\"" \
        'GenericLanguage "de" "de" "utf-8"' 'AddVoice "de" "MALE1" "de"' > "$SCRATCH/speech/modules/recorder.conf"
    speech-dispatcher -s -t 0 -C "$SCRATCH/speech" -S "$SCRATCH/speech.sock" -c unix_socket >/dev/null 2>&1 &
    export SPEECHD_ADDRESS="unix_socket:$SCRATCH/speech.sock" && for _ in $(seq 50); do [ -S "$SCRATCH/speech.sock" ] && break; sleep 0.1; done # Orca finds no voice before it
    echo '{"general": {"enableBraille": false, "enableSound": false, "voices": {"default": {"family": {"name": "MALE1", "lang": "de"}}}},
        "profiles": {"default": {"profile": ["Default", "default"]}}, "pronunciations": {}, "keybindings": {}}' > "$SCRATCH/orca/user-settings.conf"
    # Orca will not start while another of this user's runs anywhere; this one has a session of its own, so skips that.
    LANGUAGE=de /usr/bin/python3 -c 'import sys; orca = {"__name__": "orca"}; exec(open("/usr/bin/orca").read(), orca)
orca["otherOrcas"] = lambda: []; sys.argv = ["orca", "-u", sys.argv[1]]; sys.exit(orca["main"]())' "$SCRATCH/orca" >/dev/null 2>&1 &
    check "Orca speaks German through the recording voice" heard '^Bildschirmleser an' 200
    start_game
    check "Orca names the button the window opens on" heard '^1 Worte mit 4 Buchstaben Druckknopf'
    check "Tab names every word length and Ende" tabs "2 Worte mit 6 Buchstaben Druckknopf" "3 Worte mit 8 Buchstaben Druckknopf" \
        "4 Worte mit 10 Buchstaben Druckknopf" "5 Worte mit 12 Buchstaben Druckknopf" "Ende Druckknopf" "1 Worte mit 4 Buchstaben Druckknopf"
    press alt+2
    check "a new word: its length" heard '^Neues Wort, 6 Buchstaben'
    check "and the letter box read whole: six dots" reads ......
    check "a letter: hit or miss, the count, the mask" guess e E 1
    check "another letter: the count goes up" guess n N 2
    press 7
    check "a key that is no letter is not counted" heard '^Kein Buchstabe, nicht gezählt'
    mark ctrl+Right ctrl+Left # held so long that Orca asks for the word at 0, where Qt's own answer never comes
    xdotool keydown ctrl keydown Right sleep 0.3 keyup Right sleep 0.7 keydown Left sleep 0.3 keyup Left keyup ctrl sleep 1
    check "after Ctrl+Right and Ctrl+Left the game answers" guess s S 3
else
    echo "SKIP: Orca is not installed: what a player hears is not checked, the text questions are"
    start_game env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$PROGRAM"
    press alt+2
fi
check "the letter box answers every text question at every offset" box_answers
press alt+r
check "and the game answers after them: Ratehilfe" eval 'box_answers && [[ $BOX == "  "[A-ZÄÖÜ]* ]]'
if [ -n "${SPEECHD_ADDRESS:-}" ]; then
    check "Ratehilfe is heard: the mask with its first letter" heard "^Ratehilfe, [A-ZÄÖÜ], $PLACES\.?$"; expected=$(mask)
    check "Tab names the boxes and buttons of a game" tabs "Ihre Lösung Text" "Zurück Druckknopf" "Neues Spiel Druckknopf" \
        "Lösung Druckknopf" "Ratehilfe Druckknopf" "Ihre Eingabe Text"
    check "back in the letter box, the whole mask is read" reads "$expected"
    echo "What Orca said, and how long after the key:"
    awk -F'|' '$2 ~ /^KEY / { key = $1; print $2; next } { printf "  %+6.0f ms  %s\n", (key ? $1 - key : 0) * 1000, $2 }' "$SPOKEN"
fi
summary
