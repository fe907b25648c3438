#!/usr/bin/env bash
# Installs what is missing, builds the program and every test, and runs them all: the test suite
# under AddressSanitizer and UndefinedBehaviorSanitizer, a short run of each fuzz target, the suite built for arm64 and run through an emulator, with that package checked, and the
# suite built for Windows and run under Wine, with its zip checked.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
# Each stage's wall time and the processor time (user and system) of what it ran. Qt for Windows,
# built beside the other stages, is counted where the Windows stage waits for it.
# times reports this shell's children only when run in this shell, not in a pipe or $(...): it
# sets processor to their seconds so far.
processor_seconds() {
    times >build/times.txt
    processor=$(awk 'NR == 2 { s = 0; for (i = 1; i <= 2; i++) { split($i, t, "m"); s += t[1] * 60 + t[2] }
                             printf "%d", s + 0.5 }' build/times.txt)
}
mkdir -p build
stage_start=$SECONDS
stage_processor=0
stage_done() {
    processor_seconds
    echo "== $1: $((SECONDS - stage_start)) s, processor $((processor - stage_processor)) s"
    stage_start=$SECONDS
    stage_processor=$processor
}

test_packages=(xvfb xauth xdotool x11-utils clang libclang-rt-14-dev llvm-14 desktop-file-utils appstream dpkg-dev file
               shared-mime-info xdg-utils libfile-mimeinfo-perl man-db lintian)
ensure_packages "${build_packages[@]}" "${test_packages[@]}"
stage_done install

# Qt for Windows takes longest to build. It is built beside the Linux stages, taking the processor
# time their tests leave while they wait for lines and timers; the Windows stage finds it ready or
# waits for it. Its own session, so that an early failure here ends it too. Where the kernel groups
# processes by session (autogroup, as Debian's does), the two sessions share the processor equally
# whatever the nice level; the total time is the same, as neither leaves a core idle.
setsid nice -n 10 bash scripts/windows-qt.sh >build/windows-qt.log 2>&1 &
windows_qt=$!
trap 'kill -- -"$windows_qt" 2>/dev/null || true' EXIT
# What the later stages install is fetched now, while Qt builds, not when the Windows stage waits.
bash scripts/cross.sh arm64 --install
bash scripts/cross.sh windows --install
stage_done "install for arm64 and Windows"

# One Linux build serves the whole suite: every test runs once, with the sanitizers watching. The
# suite runs without them too, built for arm64 and for Windows below with GCC, as a Raspberry Pi
# builds it. This build uses Clang, which compiles it in three quarters of GCC's processor time
# (334 s against 437 s), and so a second compiler reads every line; llvm-symbolizer names the lines
# in its reports.
echo "== Test suite under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCORVANTIS_SANITIZE=ON \
      -DCMAKE_CXX_COMPILER=clang++
export ASAN_SYMBOLIZER_PATH=/usr/lib/llvm-14/bin/llvm-symbolizer
cmake --build build/sanitize
ctest --test-dir build/sanitize --output-on-failure -j2 --timeout 300
stage_done "test suite"

echo "== Test suite for arm64 under emulation, and its package"
bash scripts/cross.sh arm64
stage_done "arm64"

echo "== Windows build, its tests under Wine, and its zip"
# A failure beside the other stages is shown, and the Windows stage builds Qt again in the open.
wait "$windows_qt" || tail -n 40 build/windows-qt.log
sed -n 's/^== windows qt/== (beside the Linux stages) windows qt/p' build/windows-qt.log
stage_done "waiting for Qt for Windows"
# The fuzz targets run beside the Windows stage, whose tests under Wine take their turns on one core.
fuzz() {
    echo "== Fuzz targets, ${FUZZ_SECONDS:-10} seconds each"
    cmake -S fuzz -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DFUZZ_SECONDS="${FUZZ_SECONDS:-10}"
    cmake --build build/fuzz
    ctest --test-dir build/fuzz --output-on-failure -j2
}
fuzz >build/fuzz.log 2>&1 &
fuzzing=$!
bash scripts/cross.sh windows
fuzz_status=0
wait "$fuzzing" || fuzz_status=$?
cat build/fuzz.log
((fuzz_status == 0)) || { echo "FAIL: fuzz targets (status $fuzz_status)"; exit 1; }
# The shell counts a background job's processor time when it ends, which may be before the wait.
stage_done "windows, with the fuzz targets beside it"
processor_seconds
echo "== total: $SECONDS s, processor $processor s"
