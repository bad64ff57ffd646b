#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_build_depends
install_missing "${BUILD_PACKAGES[@]}"
build "$BUILD_DIR" -DBUILD_TESTING=OFF
exec "$BUILD_DIR/bin/zeichenfang"
