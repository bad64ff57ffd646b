#!/usr/bin/env bash
# Installs the game silently into a fresh Wine prefix, twice (the second time over the
# first), checks the files, the Start-menu entry and the Add/Remove Programs entry,
# starts the installed game and plays it by keys (play_check.sh), and uninstalls
# silently, which must leave nothing behind.
#   bash tests/windows/install_check.sh SETUP.EXE STAGED-FOLDER
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
SETUP="$(readlink -f "$1")"
STAGE="$(readlink -f "$2")"
export WINEPREFIX WINEDEBUG=-all
WINEPREFIX="$(mktemp -d)"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$WINEPREFIX"' EXIT
WINEDLLOVERRIDES="mscoree,mshtml=" wineboot --init 2>/dev/null
wineserver --wait

USER_DIR="$WINEPREFIX/drive_c/users/$(id -un)"
INSTALL_DIR="$USER_DIR/AppData/Local/Programs/Zeichenfang"
SHORTCUT="$USER_DIR/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Zeichenfang.lnk"
KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zeichenfang'


for round in first over-the-first; do
    wine "$SETUP" /S
    wineserver --wait
    diff <(cd "$STAGE" && find . -type f | sort) \
         <(cd "$INSTALL_DIR" && find . -type f ! -name uninstall.exe | sort) ||
        fail "installed files differ from the staged ones ($round install)"
    [ -e "$SHORTCUT" ] || fail "no Start-menu entry ($round install)"
    for value in DisplayName DisplayVersion Publisher DisplayIcon UninstallString QuietUninstallString EstimatedSize; do
        wine reg query "$KEY" /v "$value" >/dev/null 2>&1 || fail "Add/Remove entry lacks $value ($round install)"
    done
done
version="$(wine "$INSTALL_DIR/zeichenfang.exe" --version | tr -d '\r')"
[[ $version == "zeichenfang "* ]] || fail "the installed game answered --version with '$version'"
# Played on a screen of its own with a window manager; Wine's processes start afresh on it.
wineserver --wait
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$(dirname "${BASH_SOURCE[0]}")/play_check.sh" "$INSTALL_DIR"
wineserver --wait

# The uninstaller runs a copy of itself from the temporary folder and returns at once.
wine "$(wine reg query "$KEY" /v QuietUninstallString | sed -nE 's/.*REG_SZ +"([^"]*)".*/\1/p' | tr -d '\r')" /S
gone() { [ ! -e "$INSTALL_DIR" ] && [ ! -e "$SHORTCUT" ] && ! wine reg query "$KEY" >/dev/null 2>&1; }
wait_until 60 gone || fail "the uninstaller left $(ls -A "$INSTALL_DIR" 2>/dev/null | tr '\n' ' ')behind"
echo "install, install over it, play and uninstall: OK"
