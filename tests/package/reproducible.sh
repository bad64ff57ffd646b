#!/usr/bin/env bash
# Built again in another folder, later, under another umask, time zone and locale: the same bytes.
set -uo pipefail
AGAIN=$(mktemp -d /tmp/zeichenfang-again.XXXXXX)
(umask 0002; TZ=ZFT-14 LC_ALL=C.UTF-8 PACKAGE_DIR="$AGAIN" bash "$(dirname "$0")/../../scripts/package.sh") >"$AGAIN.log" 2>&1
cd "$1" && sha256sum ./*.deb && sha256sum ./*.deb | (cd "$AGAIN" && sha256sum -c)
