#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test headless.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
build -DBUILD_TESTING=ON
cd "$BUILD_DIR"
ctest --output-on-failure --parallel 2 --timeout 300
