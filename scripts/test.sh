#!/usr/bin/env bash
# Installs what is missing, builds the game and its Debian package, and runs every test headless.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
build_package
build "$BUILD_DIR" -DBUILD_TESTING=ON -DZEICHENFANG_PACKAGE_DIR="$PACKAGE_DIR"
cd "$BUILD_DIR"
ctest --output-on-failure --parallel 2 --timeout 300
