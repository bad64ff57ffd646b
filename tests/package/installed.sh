#!/usr/bin/env bash
# As root on a spare machine: the autopkgtest against the built package (null runner), then a clean purge.
set -uo pipefail
source "$(dirname "$0")/../e2e/checks.sh"
check "the installed package passes its autopkgtest" autopkgtest "$1"/zeichenfang_*.changes -- null
files=$(dpkg-query -L zeichenfang | grep zeichenfang) # its own files and folders, not the shared ones
check "apt purges it" apt-get purge -y -qq zeichenfang
check "it had files, and none is left" test -n "$files" -a -z "$(for f in $files; do [ -e "$f" ] || [ -L "$f" ] && echo "$f"; done)"
summary
