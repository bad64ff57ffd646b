# Shared by play.sh, test.sh and package.sh: install what is missing, then build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
PACKAGE_DIR="${PACKAGE_DIR:-$ROOT/build-package}"

# Beyond the build dependencies in debian/control, which every build installs first.
BUILD_PACKAGES=(ninja-build fonts-dejavu-core)
TEST_PACKAGES=(xvfb xauth openbox xdotool x11-utils dbus-daemon strace at-spi2-core python3-pyatspi orca
               lintian desktop-file-utils appstream devscripts)
FUZZ_PACKAGES=(clang libclang-rt-14-dev libfuzzer-14-dev)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
# Another install in progress (an update manager, say) is waited for rather than failed on.
apt_get() { DEBIAN_FRONTEND=noninteractive as_root apt-get -o DPkg::Lock::Timeout=600 "$@"; }

install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    apt_get update -qq
    apt_get install -y -qq --no-install-recommends "${missing[@]}"
}

# debian/control is the one list of what the game needs to build.
install_build_depends() {
    install_missing build-essential
    (cd "$ROOT" && dpkg-checkbuilddeps 2>/dev/null) && return 0
    apt_get update -qq
    apt_get build-dep -y -qq --no-install-recommends "$ROOT"
}

build() { # build folder, cmake options...
    cmake -S "$ROOT" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${@:2}"
    cmake --build "$1" --parallel
}

# The Debian package, source and binary, built by dpkg-buildpackage from a copy of
# the source in $PACKAGE_DIR, which then holds the .deb; the checkout stays clean.
build_package() {
    local source
    source="$PACKAGE_DIR/zeichenfang-$(dpkg-parsechangelog -l "$ROOT/debian/changelog" -S Version)"
    rm -rf "$PACKAGE_DIR"/zeichenfang[-_]*
    mkdir -p "$source"
    tar -C "$ROOT" --anchored --exclude=./.git --exclude=./build --exclude='./build-*' -c . | tar -C "$source" -x
    (cd "$source" && dpkg-buildpackage -us -uc -J"$(nproc)")
}
