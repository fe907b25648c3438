#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

runtime_packages=()
[[ -z ${DISPLAY:-}${WAYLAND_DISPLAY:-} ]] && runtime_packages+=(xvfb xauth)
ensure_packages "${build_packages[@]}" "${runtime_packages[@]}"

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build/release

if [[ -z ${DISPLAY:-}${WAYLAND_DISPLAY:-} ]]; then
    echo "No display: starting Corvantis Panel on a virtual X server (xvfb-run)."
    exec xvfb-run -a build/release/corvantis-panel
fi
exec build/release/corvantis-panel
