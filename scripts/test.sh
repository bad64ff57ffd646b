#!/usr/bin/env bash
# Installs what is missing, builds the game and its Debian package, and runs every test headless.
# The package is built first, with nothing installed beyond its build dependencies.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_build_depends
build_package
install_missing "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
build "$BUILD_DIR" -DBUILD_TESTING=ON -DZEICHENFANG_PACKAGE_DIR="$PACKAGE_DIR"
cd "$BUILD_DIR"
ctest --output-on-failure --parallel 2 --timeout 300
