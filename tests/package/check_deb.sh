#!/usr/bin/env bash
# The Debian package as a games maintainer reads it: every tag lintian has for the
# source and the binary, the desktop entry and AppStream data, both ELF files hardened.
set -uo pipefail
source "$(dirname "$0")/../e2e/checks.sh"
TREE=$(mktemp -d) && trap 'rm -rf "$TREE"' EXIT
dpkg-deb -x "$1"/zeichenfang_*_*.deb "$TREE"
# Lintian may say that German words of the lists look misspelt, and that the program stands in /usr/lib/games.
lintian_says_no_more() {
    local tags; tags=$(lintian -I -E --pedantic --color never "$1"/zeichenfang_*.changes 2>/dev/null) || return 1
    ! grep -vE '^I: zeichenfang: spelling-error-in-binary [A-ZÄÖÜ]+ |^X: zeichenfang: executable-in-usr-lib \[usr/lib/games/zeichenfang/zeichenfang\]$' <<<"$tags"
}
check "lintian says no more, on the source or the binary" lintian_says_no_more "$1"
check "the desktop entry is valid" desktop-file-validate "$TREE"/usr/share/applications/*.desktop
check "the AppStream data has no warning" appstreamcli validate --pedantic --no-net "$TREE"/usr/share/metainfo/*.xml
# Debian 12's start files lack control-flow marks; the module's memory calls have run-time sizes.
check "the program is hardened" hardening-check -q --nocfprotection "$TREE"/usr/lib/games/zeichenfang/zeichenfang
check "and so is its sound module" hardening-check -q --nocfprotection --nofortify "$TREE"/usr/lib/games/zeichenfang/zeichenfang-sound.so
summary
