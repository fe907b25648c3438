#!/usr/bin/env bash
# Installs what is missing, builds the program and every test, and runs them all.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

test_packages=(xvfb xauth xdotool x11-utils)
ensure_packages "${build_packages[@]}" "${test_packages[@]}"

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build build/test
ctest --test-dir build/test --output-on-failure -j2 --timeout 300
