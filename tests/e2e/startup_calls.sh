#!/usr/bin/env bash
# How much of the file system the game reads before its window is on the screen: a count,
# unlike a time, that a busy machine cannot change. The window thread's file calls are counted
# up to the moment it starts the sound thread, which it does as it first paints the window.
#   startup_calls.sh PROGRAM CALL_BUDGET ICON_BUDGET
set -euo pipefail
PROGRAM="$1" CALL_BUDGET="$2" ICON_BUDGET="$3"
SCRATCH=$(mktemp -d) && trap 'rm -rf "$SCRATCH"' EXIT
export HOME="$SCRATCH" XDG_RUNTIME_DIR="$SCRATCH" SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb
unset QT_ACCESSIBILITY

# One trace file per thread; the game runs until the sound thread has opened its module.
strace -ff -qq -o "$SCRATCH/trace" -e trace=%file,clone,clone3 \
    xvfb-run -a -s '-screen 0 1280x1024x24' timeout -s TERM 60 "$PROGRAM" >/dev/null 2>&1 &
module_reader=""
for _ in $(seq 600); do
    module_reader=$(grep -l 'zeichenfang-sound\.so' "$SCRATCH"/trace.* 2>/dev/null | head -n1) && break
    sleep 0.1
done
[ -n "$module_reader" ] || { echo "the sound thread never opened its module"; exit 1; }
sound_thread=${module_reader##*.}
# The game's window thread: the one that started the sound thread.
window_thread=$(grep -lE "^clone3?\(.*= $sound_thread$" "$SCRATCH"/trace.* | head -n1) \
    || { echo "no thread started the sound thread"; exit 1; }
kill -TERM "${window_thread##*.}"
wait || true # the game ends on the signal
# Calls on a path, leaving out fontconfig's, which follow the fonts installed, not the game.
fonts="/etc/fonts|/usr/share/fontconfig|/usr/share/fonts|/var/cache/fontconfig|$HOME/\\.(fontconfig|cache/fontconfig|fonts)"
before_show=$(sed "/= $sound_thread\$/q" "$window_thread" | grep -E '^[a-z0-9_]+\((AT_FDCWD, )?"' | grep -vE "^[a-z0-9_]+\((AT_FDCWD, )?\"($fonts)")
calls=$(grep -c . <<< "$before_show")
# The mouse pointer's theme is read as the window maps, by every X program; the window's icon is not.
icon_calls=$(grep '/icons/' <<< "$before_show" | grep -cvE '/icons/[^/]+/(cursors/[^/]+|index\.theme)"' || true)
echo "file calls until the window is first painted, fontconfig's aside: $calls (budget $CALL_BUDGET)," \
    "icon lookups: $icon_calls (budget $ICON_BUDGET)"
[ "$calls" -le "$CALL_BUDGET" ] && [ "$icon_calls" -le "$ICON_BUDGET" ]
