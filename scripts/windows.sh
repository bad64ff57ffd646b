#!/usr/bin/env bash
# Cross-builds the game for 64-bit Windows on Debian 12, runs its core tests under Wine,
# and packs it as an installer and a zip, whose install and uninstall it checks under Wine.
# Qt and SDL2 are built from Debian's own sources, with Debian's patches, as DLLs the
# player may replace; each is kept in a cache folder named after what went into it,
# so a second run builds only the game. Run as root.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

CACHE_DIR="${ZEICHENFANG_WINDOWS_CACHE:-/var/cache/zeichenfang-windows}"
WORK_DIR="$CACHE_DIR/work"
APT_DIR="$CACHE_DIR/apt"
SOURCES_DIR="$CACHE_DIR/sources" # kept: they are the source of the DLLs the player gets
WINDOWS_BUILD_DIR="${WINDOWS_BUILD_DIR:-$ROOT/build-windows}"
JOBS=2

MINGW_TARGET=x86_64-w64-mingw32
COMPILERS_FILE="$ROOT/windows/mingw64-compilers.cmake"
GAME_TOOLCHAIN_FILE="$ROOT/windows/toolchain-mingw64.cmake"
HOST_QT_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake

WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 nsis zip dpkg-dev librsvg2-bin icoutils fonts-dejavu-core
                  xvfb xauth openbox xdotool x11-utils inotify-tools
                  qt6-base-dev qt6-base-dev-tools ninja-build cmake)

# What the game needs of Qt: Core, Gui, Widgets and Test, on the Windows platform plugin.
# Direct2D stays: without it the 6.4 platform plugin does not link. Direct2D 1.1 goes: it
# only builds a second platform plugin, the whole Windows one again, a tenth of Qt's build.
QT_CONFIGURE_OPTIONS=(-release -shared -qt-host-path /usr -xplatform win32-g++
    -device-option "CROSS_COMPILE=$MINGW_TARGET-" -nomake tests -nomake examples -no-feature-direct2d1_1
    -no-opengl -no-dbus -no-icu -no-pkg-config -no-glib
    -no-feature-sql -no-feature-network -no-feature-xml -no-feature-concurrent
    -no-feature-printsupport -no-feature-tabletevent -no-feature-vulkan
    -qt-zlib -qt-pcre -qt-libpng -no-libjpeg -qt-freetype -qt-harfbuzz -qt-doubleconversion)

# Sound only, through every Windows audio interface, plus SDL's file writer and silent driver.
SDL_CMAKE_OPTIONS=(-DCMAKE_BUILD_TYPE=Release -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF
    -DSDL_WASAPI=ON -DSDL_DIRECTX=ON -DSDL_DISKAUDIO=ON -DSDL_DUMMYAUDIO=ON)
SDL_AUDIO_DRIVERS=(WASAPI DSOUND WINMM DISK DUMMY)

# --- Debian's sources, fetched through a private apt configuration -------------------

# The machine's Debian 12 entries, turned into deb-src entries: deb822 stanzas from
# sources.list.d and one-line entries from sources.list; and apt's configuration file.
write_private_sources() {
    mkdir -p "$APT_DIR/sources.list.d" "$APT_DIR/state/lists/partial" "$APT_DIR/cache/archives/partial"
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        if [ -e "$file" ]; then deb_src_stanzas "$file"; fi
    done > "$APT_DIR/sources.list.d/debian-src.sources"
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        if [ -e "$file" ]; then deb_src_lines "$file"; fi
    done > "$APT_DIR/sources.list"
    if ! grep -q . "$APT_DIR/sources.list" "$APT_DIR/sources.list.d/debian-src.sources"; then
        echo "No Debian 12 (bookworm) entry in /etc/apt to take the sources from" >&2
        return 1
    fi
    printf '#clear APT::Update::%s;\n' Pre-Invoke Post-Invoke Post-Invoke-Success > "$APT_DIR/apt.conf"
}

# Debian 12 itself and its updates; not backports, whose newer versions apt-get source would take.
deb_src_stanzas() { # deb822 file: its enabled stanzas of main, as deb-src of bookworm's suites
    awk -v RS= '{
        n = split($0, lines, "\n"); stanza = ""; deb = 0; main = 0; enabled = 1; suites = ""
        for (i = 1; i <= n; i++) {
            line = lines[i]
            if (line ~ /^Types:/) { deb = line ~ /[ \t]deb([ \t]|$)/; line = "Types: deb-src" }
            else if (line ~ /^Components:/) main = line ~ /[ \t]main([ \t]|$)/
            else if (line ~ /^Enabled:[ \t]*no/) enabled = 0
            else if (line ~ /^Suites:/) {
                m = split(substr(line, 8), words, /[ \t]+/); suites = ""
                for (j = 1; j <= m; j++) if (words[j] ~ /^bookworm(-updates|-security)?$/) suites = suites " " words[j]
                line = "Suites:" suites
            }
            stanza = stanza line "\n"
        }
        if (deb && main && enabled && suites != "") print stanza
    }' "$1"
}

deb_src_lines() { # one-line sources file: its deb lines of main in bookworm's suites, as deb-src
    sed -nE 's/^[[:space:]]*deb(([[:space:]]+\[[^]]*\])?[[:space:]]+[^[:space:]]+[[:space:]]+bookworm(-updates|-security)?[[:space:]].*main.*)/deb-src\1/p' "$1"
}

# apt with its own source list, lists and cache: the machine's apt configuration and
# package lists stay as they are. The machine's update hooks (AppStream, PackageKit)
# are not told of lists that are not the machine's: only a configuration file can
# clear a list of hooks, -o would add to it.
private_apt() { # apt-get or apt-cache, arguments...
    "$1" -q -c "$APT_DIR/apt.conf" \
        -o Dir::Etc::SourceList="$APT_DIR/sources.list" -o Dir::Etc::SourceParts="$APT_DIR/sources.list.d" \
        -o Dir::State="$APT_DIR/state" -o Dir::Cache="$APT_DIR/cache" "${@:2}"
}

update_private_lists() {
    write_private_sources
    private_apt apt-get update -qq
}

source_version() { # source package → the version apt-get source would fetch
    private_apt apt-get source --print-uris -qq "$1" |
        sed -nE "s/^'[^']*' $1_([^ ]*)\.dsc .*/\1/p" | sed 's/^[0-9]*://'
}

# Downloads a source package once; apt checks its files against the signed index.
download_source() { # package, version → prints the folder holding the .dsc
    local dir="$SOURCES_DIR/$1_$2"
    if [ ! -e "$dir/.complete" ]; then
        rm -rf "$dir"
        mkdir -p "$dir"
        chown _apt "$dir" # apt downloads as its own unprivileged user
        (cd "$dir" && private_apt apt-get source --download-only -qq "$1=$2" >&2)
        chown -R root "$dir"
        touch "$dir/.complete"
    fi
    echo "$dir"
}

# Unpacks a source package with all of Debian's patches applied, into a scratch folder.
unpack_source() { # package, version, target folder
    local dsc
    dsc="$(download_source "$1" "$2")/$1_$2.dsc"
    rm -rf "$3"
    mkdir -p "$(dirname "$3")"
    # apt checked the files against the signed index already; the tarballs stay where they are.
    dpkg-source --no-check --no-copy -x "$dsc" "$3" >/dev/null
    check_patches_applied "$3"
}

check_patches_applied() { # unpacked source folder
    local series="$1/debian/patches/series"
    [ -e "$series" ] || return 0
    if ! diff <(grep -v '^[[:space:]]*\(#\|$\)' "$series" | awk '{print $1}') "$1/.pc/applied-patches" >/dev/null; then
        echo "Not all of Debian's patches are applied in $1" >&2
        return 1
    fi
}

# --- Cached libraries --------------------------------------------------------------

compiler_identity() {
    "$MINGW_TARGET-g++-posix" --version | head -n 1
    dpkg-query -W -f='${Package} ${Version}\n' g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
}

# A cache folder's name: the library, its Debian version, and a short hash of everything
# that went into the build, so changing any of them builds afresh beside the old one.
cache_key() { # name, version, lines of what went into the build...
    local hash
    hash="$(printf '%s\n' "${@:3}" | sha256sum | cut -c1-12)"
    echo "$1-$2-$hash"
}

is_complete() { [ -e "$1/.complete" ]; }

# The stamp is written last: a folder without it is a build that did not finish.
mark_complete() { # prefix, description...
    printf '%s\n' "${@:2}" > "$1/.complete"
}

build_qt() { # prefix, Debian version
    local source="$WORK_DIR/qt6-base-src" build="$WORK_DIR/qt6-base-build"
    echo "Building Qt $2 for Windows into $1"
    unpack_source qt6-base "$2" "$source"
    rm -rf "$build" "$1"
    mkdir -p "$build"
    (cd "$build" && "$source/configure" -prefix "$1" "${QT_CONFIGURE_OPTIONS[@]}" -- \
        -DCMAKE_TOOLCHAIN_FILE="$COMPILERS_FILE" -DQT_HOST_PATH_CMAKE_DIR="$HOST_QT_CMAKE_DIR")
    cmake --build "$build" --parallel "$JOBS"
    cmake --install "$build" --strip
    cp "$build/.ninja_log" "$1/build-times.ninja_log" # where the build's time went, step by step
    rm -rf "$build" "$source"
}

build_sdl() { # prefix, Debian version
    local source="$WORK_DIR/libsdl2-src" build="$WORK_DIR/libsdl2-build"
    echo "Building SDL2 $2 for Windows into $1"
    unpack_source libsdl2 "$2" "$source"
    rm -rf "$build" "$1"
    cmake -S "$source" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$COMPILERS_FILE" -DCMAKE_INSTALL_PREFIX="$1" \
        "${SDL_CMAKE_OPTIONS[@]}"
    cmake --build "$build" --parallel "$JOBS"
    cmake --install "$build" --strip
    check_sdl_audio_drivers "$1"
    rm -rf "$build" "$source"
}

check_sdl_audio_drivers() { # SDL2 prefix
    local driver
    for driver in "${SDL_AUDIO_DRIVERS[@]}"; do
        if ! grep -q "^#define SDL_AUDIO_DRIVER_$driver 1" "$1/include/SDL2/SDL_config.h"; then
            echo "SDL2 was built without its $driver audio driver" >&2
            return 1
        fi
    done
}

# Sets QT_PREFIX and SDL_PREFIX, building what is not in the cache yet.
provide_libraries() {
    update_private_lists
    local qt_version sdl_version toolchain
    qt_version="$(source_version qt6-base)"
    sdl_version="$(source_version libsdl2)"
    if [ -z "$qt_version" ] || [ -z "$sdl_version" ]; then
        echo "apt knows no source of qt6-base or libsdl2 in $APT_DIR" >&2
        return 1
    fi
    toolchain="$(compiler_identity; cat "$COMPILERS_FILE")"

    # Qt's moc, rcc and uic are the machine's: its Qt version goes into the key too.
    QT_PREFIX="$CACHE_DIR/$(cache_key qt "$qt_version" "${QT_CONFIGURE_OPTIONS[@]}" "$HOST_QT_CMAKE_DIR" \
        "$toolchain" "host $(dpkg-query -W -f='${Version}' qt6-base-dev)")"
    if ! is_complete "$QT_PREFIX"; then
        build_qt "$QT_PREFIX" "$qt_version"
        mark_complete "$QT_PREFIX" "qt6-base $qt_version" "${QT_CONFIGURE_OPTIONS[*]}" "$toolchain"
    fi

    SDL_PREFIX="$CACHE_DIR/$(cache_key sdl2 "$sdl_version" "${SDL_CMAKE_OPTIONS[@]}" "$toolchain")"
    if ! is_complete "$SDL_PREFIX"; then
        build_sdl "$SDL_PREFIX" "$sdl_version"
        mark_complete "$SDL_PREFIX" "libsdl2 $sdl_version" "${SDL_CMAKE_OPTIONS[*]}" "$toolchain"
    fi
    echo "Qt:   $QT_PREFIX"
    echo "SDL2: $SDL_PREFIX"
}

# --- The game ----------------------------------------------------------------------

build_game() {
    cmake -S "$ROOT" -B "$WINDOWS_BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$GAME_TOOLCHAIN_FILE" \
        -DZEICHENFANG_WINDOWS_QT="$QT_PREFIX" -DZEICHENFANG_WINDOWS_SDL2="$SDL_PREFIX" \
        -DBUILD_TESTING=ON
    cmake --build "$WINDOWS_BUILD_DIR" --parallel "$JOBS"
}

# The Wine prefix the toolchain file names, made before the tests so that none of them
# waits for it. Wine's .NET and web engine installers are not wanted.
prepare_wine() {
    export WINEPREFIX="$WINDOWS_BUILD_DIR/wine" WINEDEBUG=-all
    if [ ! -e "$WINEPREFIX/system.reg" ]; then
        LC_ALL=C.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml=" wineboot --init # as the tests run
    fi
    wineserver --wait
}

# The rules, the word lists, the window on Qt's offscreen platform, and the sound cues
# on SDL's disk driver, each a Windows program under Wine.
run_tests() {
    prepare_wine
    (cd "$WINDOWS_BUILD_DIR" && ctest -R '^(core|words|gui|sound)\.' --output-on-failure --parallel "$JOBS" --timeout 300)
    wineserver --wait # lets Wine's server end with the last program
}

# --- Packing ----------------------------------------------------------------------

STAGE_DIR="$WINDOWS_BUILD_DIR/Zeichenfang"

game_version() {
    sed -nE 's/^project\(Zeichenfang VERSION ([0-9.]+).*/\1/p' "$ROOT/CMakeLists.txt"
}

runtime_dll() { # name → the compiler's copy of that runtime DLL
    readlink -f "$("$MINGW_TARGET-g++-posix" -print-file-name="$1")"
}

# The game, its sound module and cues, the Qt and SDL2 DLLs with the platform plugin and
# the native style, and the compiler's runtime DLLs, in one folder as the player gets it.
# Qt finds its plugins in folders beside the program. Each library's licence comes with
# it: Debian's copyright files of the very sources that were built.
stage_release() {
    rm -rf "$STAGE_DIR"
    mkdir -p "$STAGE_DIR/platforms" "$STAGE_DIR/styles" "$STAGE_DIR/licences"
    cp "$WINDOWS_BUILD_DIR"/bin/{zeichenfang.exe,zeichenfang-sound.dll} "$WINDOWS_BUILD_DIR"/bin/*.wav "$STAGE_DIR"
    cp "$QT_PREFIX"/bin/Qt6{Core,Gui,Widgets}.dll "$SDL_PREFIX/bin/SDL2.dll" "$STAGE_DIR"
    cp "$QT_PREFIX/plugins/platforms/qwindows.dll" "$STAGE_DIR/platforms"
    cp "$QT_PREFIX/plugins/styles/qwindowsvistastyle.dll" "$STAGE_DIR/styles"
    local dll
    for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
        cp "$(runtime_dll "$dll")" "$STAGE_DIR"
    done
    # The game is built with its debugging symbols; the player gets the program alone.
    find "$STAGE_DIR" -name '*.exe' -o -name '*.dll' | xargs "$MINGW_TARGET-strip" --strip-unneeded
    cp /usr/share/common-licenses/GPL-3 "$STAGE_DIR/licences/Zeichenfang (GPL-3).txt"
    cp /usr/share/common-licenses/LGPL-3 "$STAGE_DIR/licences/Qt (LGPL-3).txt"
    cp /usr/share/doc/libqt6core6/copyright "$STAGE_DIR/licences/Qt copyright.txt"
    cp /usr/share/doc/libsdl2-2.0-0/copyright "$STAGE_DIR/licences/SDL2 copyright.txt"
    cp /usr/share/doc/gcc-mingw-w64-base/copyright "$STAGE_DIR/licences/GCC runtime copyright.txt"
    cp /usr/share/doc/mingw-w64-common/copyright "$STAGE_DIR/licences/MinGW-w64 copyright.txt"
    check_staged_imports
}

# Every DLL a staged file imports is staged too, or is Windows' own (an API set,
# api-ms-win-*, is a name Windows resolves itself).
check_staged_imports() {
    local missing
    missing="$(find "$STAGE_DIR" -name '*.exe' -o -name '*.dll' | xargs "$MINGW_TARGET-objdump" -p |
        sed -n 's/^[[:space:]]*DLL Name: //p' | sort -u | while read -r dll; do
            if [[ ${dll,,} != api-ms-win-* ]] && [ -z "$(find "$STAGE_DIR" -maxdepth 1 -iname "$dll")" ] && [ ! -e "$(wine_system_dll "$dll")" ]; then
                echo "$dll"
            fi
        done)"
    if [ -n "$missing" ]; then
        echo "Staged files import DLLs that are not staged: $missing" >&2
        return 1
    fi
}

wine_system_dll() { # name → Wine's copy of a Windows system DLL, in lower case
    echo "$WINEPREFIX/drive_c/windows/system32/${1,,}"
}

# The NSIS installer made from the staged release. Its uninstaller deletes the staged
# files by name, deepest first, then their folders if empty.
pack_installer() {
    local setup="$WINDOWS_BUILD_DIR/zeichenfang-$(game_version)-setup.exe" files="$WINDOWS_BUILD_DIR/installed-files.nsh"
    (cd "$STAGE_DIR" && {
        find . -type f | sort -r | sed -e 's|^\./||' -e 's|/|\\|g' -e 's|.*|    Delete "$INSTDIR\\&"|'
        find . -mindepth 1 -type d | sort -r | sed -e 's|^\./||' -e 's|/|\\|g' -e 's|.*|    RMDir "$INSTDIR\\&"|'
    }) > "$files"
    makensis -V2 -DVERSION="$(game_version)" -DSTAGE="$STAGE_DIR" -DFILES="$files" -DOUTFILE="$setup" \
        "$ROOT/windows/installer.nsi"
    echo "$(basename "$setup"): $(stat -c %s "$setup") bytes"
}

# The same folder as a zip, to unpack anywhere and run from there.
pack_zip() {
    local zip_file="$WINDOWS_BUILD_DIR/zeichenfang-$(game_version)-windows-x64.zip"
    rm -f "$zip_file"
    (cd "$WINDOWS_BUILD_DIR" && TZ=UTC zip -q -r -X "$zip_file" "$(basename "$STAGE_DIR")")
    echo "$(basename "$zip_file"): $(stat -c %s "$zip_file") bytes"
}

# The staged game runs on its own DLLs alone.
check_staged_game() {
    local version
    version="$(env -u WINEPATH wine "$STAGE_DIR/zeichenfang.exe" --version | tr -d '\r')"
    if [ "$version" != "zeichenfang $(game_version)" ]; then
        echo "The staged game answered --version with '$version'" >&2
        return 1
    fi
}

# Installs, reinstalls, starts and uninstalls the game in a Wine prefix of its own.
check_installer() {
    bash "$ROOT/tests/windows/install_check.sh" "$WINDOWS_BUILD_DIR/zeichenfang-$(game_version)-setup.exe" "$STAGE_DIR"
}

timed() { # stage function...
    local start=$SECONDS
    "$@"
    echo "== $1: $((SECONDS - start)) s"
}

main() {
    timed install_missing "${WINDOWS_PACKAGES[@]}"
    timed provide_libraries
    timed build_game
    timed run_tests
    timed stage_release
    check_staged_game
    timed pack_installer
    timed pack_zip
    timed check_installer
}

main "$@"
