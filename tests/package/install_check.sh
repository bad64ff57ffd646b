#!/usr/bin/env bash
# On a throwaway machine, as root: the package installs with apt, its command
# shows the game's window and finds its cues, and purging leaves none of its files.
set -uo pipefail
source "$(dirname "$0")/../e2e/checks.sh"
DEB=$(realpath "$1"/zeichenfang_*_*.deb)
check "apt installs the package" apt-get install -y -qq "$DEB"
files=$(dpkg-query -L zeichenfang | while read -r f; do [ -d "$f" ] || echo "$f"; done)
check "the installed command shows the window and finds its cues" window_and_cue_from /usr/bin/zeichenfang /usr/lib/zeichenfang
check "apt purges it" apt-get purge -y -qq zeichenfang
left() { for f in $files /usr/lib/zeichenfang /usr/share/doc/zeichenfang; do [ -e "$f" ] && echo "$f"; done; }
check "none of its files is left" test -z "$(left)"
summary
