#!/usr/bin/env bash
# The Windows build (bash scripts/cross.sh windows): Qt for Windows from Debian's source, built
# once into a cache (scripts/windows-qt.sh), the program and its tests with mingw-w64, the tests
# under Wine with a pseudo-terminal as COM1, and the zip a Windows user unpacks and the setup that
# installs the same, checked in a fresh Wine prefix: --version, an --upload byte for byte, the
# window mapped on an X server, then the setup and its uninstaller (tests/wine/installed.sh).
#   SCREENSHOT=docs/screenshot-windows.png bash scripts/cross.sh windows   retakes its picture,
#   the Motion menu open
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
build=build/windows
stage_start=$SECONDS
stage_done() {
    echo "== windows $1: $((SECONDS - stage_start)) s"
    stage_start=$SECONDS
}

ensure_packages "${build_packages[@]}" g++-mingw-w64-x86-64-posix wine wine64 python3 xvfb xauth \
                xdotool x11-utils nsis ${SCREENSHOT:+imagemagick}
[[ ${1:-} == --install ]] && exit 0
stage_done install
qt=$(bash scripts/windows-qt.sh | tail -n 1)
stage_done "Qt for Windows"

prefix=$PWD/$build/tests/wineprefix
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE=cmake/x86_64-w64-mingw32.cmake -DCMAKE_PREFIX_PATH="$qt" \
      "-DCMAKE_CROSSCOMPILING_EMULATOR=python3;$PWD/tests/wine/wire.py;$prefix"
cmake --build "$build" -j2
stage_done build

# The tests take turns on COM1; the Wine prefix is made first and its server ended last.
ctest --test-dir "$build" --output-on-failure --timeout 300
stage_done tests

cmake --build "$build" --target windows_setup
zip=$(ls "$build"/corvantis-panel-*-windows-x64.zip)
setup=$(ls "$build"/corvantis-panel-*-windows-x64-setup.exe)
work=$(mktemp -d)
trap 'WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
python3 -c "import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])" "$zip" "$work"
unpacked=$(ls -d "$work"/corvantis-panel-*-windows-x64)
echo "$(basename "$zip"), $(du -k "$zip" | cut -f1) KB: $(ls "$unpacked" "$unpacked"/platforms "$unpacked"/styles | tr '\n' ' ')"
echo "$(basename "$setup"), $(du -k "$setup" | cut -f1) KB"
# An X server of its own first: Wine's desktop process, started with the prefix, keeps the display
# it was started with.
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
# A fresh prefix with no folder on the program path: the zip must bring every library it needs.
bash tests/wine/make-prefix.sh --window "$work/prefix" >/dev/null
export WINEPREFIX=$work/prefix WINEDEBUG=-all
[[ $(wine "$unpacked/corvantis-panel.com" --version | tr -d '\r') == "corvantis-panel 1.0.0" ]] ||
    fail "--version"
# The catalogues beside the program, Qt's with them; a German display language gives German.
for qm in corvantis-panel_de corvantis-panel_fr qtbase_de qtbase_fr; do
    [[ -f $unpacked/translations/$qm.qm ]] || fail "the zip has no translations/$qm.qm"
done
help=$(env -u LC_ALL LANG=de_DE.UTF-8 wine "$unpacked/corvantis-panel.com" --help)
[[ $help == Aufruf:* ]] || fail "--help is not German under a German display language: $help"

# The start-up settings sent to COM1, a pseudo-terminal, must arrive as the 41 bytes at 9600 baud.
python3 tests/wine/upload.py "$unpacked/corvantis-panel.com" COM1

# The window maps on an X server of its own, its caption found by xdotool.
wine "$unpacked/corvantis-panel.exe" >/dev/null 2>&1 &
zip_window=$!
win=""
for _ in $(seq 300); do
    win=$(xdotool search --name "^Corvantis Panel$" 2>/dev/null | head -n 1 || true)
    [[ -n $win ]] && break
    sleep 0.1
done
[[ -n $win ]] || fail "the window did not map under Wine"
eval "$(xdotool getwindowgeometry --shell "$win")"
echo "the zip's window mapped under Wine: ${WIDTH}x${HEIGHT} at $X,$Y"
if [[ -n ${SCREENSHOT:-} ]]; then
    # With the Motion menu open, as the README shows it.
    sleep 1
    xdotool mousemove $((X + 122)) $((Y + 9)) click 1
    sleep 1
    import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" "$SCREENSHOT"
    xdotool key Escape
fi
kill "$zip_window"
wait "$zip_window" 2>/dev/null || true

bash tests/wine/installed.sh "$setup" "$unpacked"
stage_done package
ls "$zip" "$setup"
