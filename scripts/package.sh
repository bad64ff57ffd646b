#!/usr/bin/env bash
# Installs what the package needs to build and builds it into build-package/.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_build_depends
build_package
