#!/usr/bin/env bash
# Builds the program with Debian's optimisation and hardening flags and debugging information, and
# makes the Debian package build/release/corvantis-panel_*.deb, with the debugging information in
# build/release/corvantis-panel-dbgsym_*.ddeb.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages "${build_packages[@]}" dpkg-dev file
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
      -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build/release -j2
(cd build/release && cpack -G DEB)
ls build/release/corvantis-panel_*.deb build/release/corvantis-panel-dbgsym_*.ddeb
