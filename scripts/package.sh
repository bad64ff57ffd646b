#!/usr/bin/env bash
# Installs what is missing and builds the Debian package into build-package/.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_missing "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"
build_package
