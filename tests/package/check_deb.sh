#!/usr/bin/env bash
# The Debian package as a player receives it: what it holds, lintian's verdict,
# the desktop entry and AppStream data, the command line, and the program
# started from the unpacked tree showing its window.
set -uo pipefail
DEB=$(ls "$1"/zeichenfang_*_*.deb)
HERE=$(dirname "$0")
source "$HERE/../e2e/checks.sh"
TREE=$(mktemp -d)
trap 'rm -rf "$TREE"' EXIT
dpkg-deb -x "$DEB" "$TREE"

check "it holds the game's files" diff -u "$HERE/files.txt" <(cd "$TREE" && find . ! -type d | sort)
check "lintian finds no error or warning" lintian --fail-on error,warning "$DEB"
check "the desktop entry is valid" desktop-file-validate "$TREE"/usr/share/applications/*.desktop
check "the AppStream data is valid" appstreamcli validate --no-net "$TREE"/usr/share/metainfo/*.xml
check "--version answers without a display" test "$(env -u DISPLAY "$TREE/usr/bin/zeichenfang" --version)" = "zeichenfang 1.0"
check "--help answers" bash -c "'$TREE/usr/bin/zeichenfang' --help | grep -q '^Usage: zeichenfang'"
unknown_option() { local error; error=$("$TREE/usr/bin/zeichenfang" --bunt 2>&1 >/dev/null); [ $? -eq 2 ] && [ "$(wc -l <<<"$error")" -eq 1 ]; }
check "an unknown option is one line on stderr and status 2" unknown_option
check "the unpacked program shows its window and finds its cues" window_and_cue_from "$TREE/usr/bin/zeichenfang" "$TREE/usr/lib/zeichenfang"
summary
