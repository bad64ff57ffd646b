# Shared by play.sh, test.sh and package.sh: install what is missing, then build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
PACKAGE_DIR="$ROOT/build-package"

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev libsdl2-dev fonts-dejavu-core librsvg2-bin)
PACKAGE_PACKAGES=(dpkg-dev)
TEST_PACKAGES=(xvfb xauth openbox xdotool x11-utils dbus-daemon strace at-spi2-core python3-pyatspi
               lintian desktop-file-utils appstream)

install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() { # build folder, cmake options...
    cmake -S "$ROOT" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${@:2}"
    cmake --build "$1" --parallel
}

# The Debian package, from a build of the game alone with Debian's hardening flags.
build_package() {
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
        LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" build "$PACKAGE_DIR" -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr
    (cd "$PACKAGE_DIR" && cpack -G DEB)
}
