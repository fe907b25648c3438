#!/usr/bin/env bash
# Builds the program in Release and makes the Debian package build/release/corvantis-panel_*.deb.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages "${build_packages[@]}" dpkg-dev file
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build/release
(cd build/release && cpack -G DEB)
ls build/release/corvantis-panel_*.deb
