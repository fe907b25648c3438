#!/usr/bin/env bash
# Installs what is missing, builds the program and every test, and runs them all: the test suite
# under AddressSanitizer and UndefinedBehaviorSanitizer, a short run of each fuzz target, the suite built for arm64 and run through an emulator, with that package checked, and the
# suite built for Windows and run under Wine, with its zip checked.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
stage_start=$SECONDS
stage_done() {
    echo "== $1: $((SECONDS - stage_start)) s"
    stage_start=$SECONDS
}

test_packages=(xvfb xauth xdotool x11-utils clang libclang-rt-14-dev desktop-file-utils appstream dpkg-dev file
               shared-mime-info xdg-utils libfile-mimeinfo-perl man-db lintian)
ensure_packages "${build_packages[@]}" "${test_packages[@]}"
stage_done install

# Qt for Windows takes longest to build. It is built beside the Linux stages at a lower priority,
# taking the processor time their tests leave while they wait for lines and timers; the Windows
# stage finds it ready or waits for it. Its own group, so that an early failure here ends it too.
mkdir -p build
setsid nice -n 10 bash scripts/windows-qt.sh >build/windows-qt.log 2>&1 &
windows_qt=$!
trap 'kill -- -"$windows_qt" 2>/dev/null || true' EXIT

# One Linux build serves the whole suite: every test runs once, with the sanitizers watching. The
# suite runs without them too, built for arm64 and for Windows below.
echo "== Test suite under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANTIS_SANITIZE=ON
cmake --build build/sanitize
ctest --test-dir build/sanitize --output-on-failure -j2 --timeout 300
stage_done "test suite"

echo "== Fuzz targets, ${FUZZ_SECONDS:-10} seconds each"
cmake -S fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DFUZZ_SECONDS="${FUZZ_SECONDS:-10}"
cmake --build build/fuzz
ctest --test-dir build/fuzz --output-on-failure -j2
stage_done "fuzz targets"

echo "== Test suite for arm64 under emulation, and its package"
bash scripts/cross.sh arm64
stage_done "arm64"

echo "== Windows build, its tests under Wine, and its zip"
# A failure beside the other stages is shown, and the Windows stage builds Qt again in the open.
wait "$windows_qt" || tail -n 40 build/windows-qt.log
sed -n 's/^== windows qt/== (beside the Linux stages) windows qt/p' build/windows-qt.log
stage_done "waiting for Qt for Windows"
bash scripts/cross.sh windows
stage_done "windows"
# Wall time and the processor time of everything the stages ran (user, then system).
echo "== total: $SECONDS s; processor time of the stages: $(times | tail -n 1)"
