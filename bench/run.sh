#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them; every figure is a ratio against a baseline
# measured in the same run.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/common.sh"
ensure_packages "${build_packages[@]}" xvfb xauth
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/bench --target bench_portcycle bench_portprobe bench_eventtowire bench_playback bench_timeline bench_startup\
    minimalwindow corvantis-panel

build/bench/bench/bench_portcycle
build/bench/bench/bench_portprobe
build/bench/bench/bench_eventtowire
build/bench/bench/bench_playback 60
QT_QPA_PLATFORM=offscreen build/bench/bench/bench_timeline docs/examples/wave.svseq 200
# The same from outside the program: a --play whose pseudo-terminal this reader times, at a
# real-time priority where it may have one, so that its own wake-ups do not count.
outside=(python3 bench/playback_outside.py "$PWD/build/bench/corvantis-panel" 60 115200)
chrt -f 2 true 2>/dev/null && outside=(chrt -f 2 "${outside[@]}")
"${outside[@]}"
xvfb-run -a -s "-screen 0 1024x768x24" \
    build/bench/bench/bench_startup 10 build/bench/corvantis-panel build/bench/bench/minimalwindow
