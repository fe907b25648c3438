#!/usr/bin/env bash
# Builds for another processor with Debian's cross compiler and that architecture's Qt, runs the
# test suite on it through the user-mode emulator, makes build/<arch>/corvantis-panel_*_<arch>.deb
# and checks that the packaged program sends an upload byte for byte.
#   bash scripts/cross.sh arm64      (a Raspberry Pi with the 64-bit OS)
#   bash scripts/cross.sh armhf      (the 32-bit OS)
#   bash scripts/cross.sh windows    (64-bit Windows: Qt built once from Debian's source, the tests
#                                     under Wine, build/windows/corvantis-panel-*-windows-x64.zip)
# With --install after the name, it only installs what that build needs.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

arch=${1:-}
case $arch in
arm64) triplet=aarch64-linux-gnu emulator=qemu-aarch64-static machine="ARM aarch64" ;;
armhf) triplet=arm-linux-gnueabihf emulator=qemu-arm-static machine="ARM, EABI5" ;;
windows) exec bash scripts/windows.sh "${@:2}" ;;
*)
    echo "usage: bash scripts/cross.sh arm64|armhf|windows [--install]" >&2
    exit 1
    ;;
esac
build=build/$arch
stage_start=$SECONDS
stage_done() {
    echo "== $arch $1: $((SECONDS - stage_start)) s"
    stage_start=$SECONDS
}

# The target's Qt installs beside the build machine's; moc, uic and rcc stay the build machine's.
if ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
    [[ $(id -u) -eq 0 ]] || { echo "Run as root (or with sudo) to add the $arch architecture." >&2; exit 1; }
    dpkg --add-architecture "$arch"
fi
ensure_packages "${build_packages[@]}" crossbuild-essential-"$arch" qemu-user-static dpkg-dev file \
                python3 qt6-base-dev:"$arch"
[[ ${2:-} == --install ]] && exit 0
stage_done install

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="cmake/$triplet.cmake"
cmake --build "$build" -j2
stage_done build

# Tests that start the built programs start them through the emulator too; binfmt_misc is not needed.
ctest --test-dir "$build" --output-on-failure -j2 --timeout 300
stage_done tests

(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/corvantis-panel_*_"$arch".deb)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
dpkg-deb --info "$deb" | grep -E "^ (Package|Version|Architecture|Depends):"
[[ $(dpkg-deb -f "$deb" Architecture) == "$arch" ]] || fail "$deb is not for $arch"
grep -q "libqt6widgets6" <<<"$(dpkg-deb -f "$deb" Depends)" || fail "no dependency on libqt6widgets6"
dpkg -x "$deb" "$work/root"
program=$work/root/usr/bin/corvantis-panel
file -b "$program" | grep -q "$machine" || fail "the packaged program is not built for $arch"
[[ $("$emulator" "$program" --version) == "corvantis-panel 1.0.0" ]] || fail "--version"
# The catalogues are packaged where the installed program finds them.
contents=$(dpkg -c "$deb")
for language in de fr; do
    grep -q "/usr/share/corvantis-panel/translations/corvantis-panel_$language.qm$" <<<"$contents" ||
        fail "the package has no $language catalogue"
done
[[ $(LC_ALL=C.UTF-8 LANGUAGE=de "$emulator" "$program" --help | head -n 1) == Aufruf:* ]] ||
    fail "--help is not German with LANGUAGE=de"

# The start-up settings (address 0, 9600 baud, Mini SSC, servos, every sweep 1843 to 5529) sent to
# a pseudo-terminal must arrive as the 41 bytes the board expects.
python3 - "$emulator" "$program" "$work/start-up.svo" <<'EOF'
import os, select, struct, subprocess, sys
emulator, program, path = sys.argv[1:]
with open(path, "wb") as f:
    f.write(b"Servo1.3" + struct.pack("<4i", 0, 9600, 1, 0) + struct.pack("<2i", 1843, 5529) * 8)
master, slave = os.openpty()
port = os.ttyname(slave)
os.close(slave)  # a descriptor of ours would count as another program holding the port
# In a process table of its own, so that its look for other programs' holds is the same on any
# machine, however busy.
alone = ["unshare", "--pid", "--fork", "--mount-proc"]
if subprocess.run(alone + ["true"], capture_output=True).returncode != 0:
    alone = []
run = subprocess.run(alone + [emulator, program, "--upload", path, "--port", port],
                     capture_output=True, timeout=60)
received = b""
while select.select([master], [], [], 0.2)[0]:
    try:
        chunk = os.read(master, 4096)
    except OSError:  # the line hung up after the last byte
        break
    if not chunk:
        break
    received += chunk
expected = bytes.fromhex("FFFFFFFFFF00005F00" + "660E" * 16)
if run.returncode != 0 or received != expected:
    sys.exit(f"FAIL: --upload exited {run.returncode} ({run.stderr.decode().strip()}), "
             f"sent {received.hex(' ')}")
print(f"the packaged program sent the {len(expected)} bytes of the upload")
EOF
stage_done package
ls "$deb"
