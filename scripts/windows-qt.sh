#!/usr/bin/env bash
# Builds Qt for 64-bit Windows once, from Debian's own qt6-base source with mingw-w64, into a cache
# outside the clone, and prints the install prefix on stdout (everything else goes to stderr):
#   qt=$(bash scripts/windows-qt.sh | tail -1)
# Only what the program and its tests use: Core, Gui, Widgets, Test, the windows platform plugin and
# the windowsvista style. The source is the same version as the build machine's Qt, whose moc, uic
# and rcc the cross build uses. A later run with the same source, flags, patches, toolchain file and
# compiler prints the prefix at once; a change to any of them builds a new one beside it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
exec 3>&1 1>&2

stage_start=$SECONDS
stage_done() {
    echo "== windows qt $1: $((SECONDS - stage_start)) s"
    stage_start=$SECONDS
}

triplet=x86_64-w64-mingw32
ensure_packages cmake ninja-build dpkg-dev perl qt6-base-dev qt6-base-dev-tools \
                g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
                mingw-w64-x86-64-dev
# The build machine's own: another architecture's Qt may be installed beside it (arm64's).
version=$(dpkg-query -W -f='${source:Version}' "qt6-base-dev:$(dpkg --print-architecture)")
toolchain=$PWD/cmake/$triplet.cmake
shopt -s nullglob
patches=("$PWD"/packaging/windows/qt6-base-*.patch)
shopt -u nullglob

build_multiarch=$(dpkg-architecture -qDEB_BUILD_MULTIARCH)
flags=(
    -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$build_multiarch/cmake"
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
    # FEATURE_opengl alone leaves dynamic GL on, and the platform plugin then fails to build.
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_vulkan=OFF
    # Debian's tarball has no wintab headers, which tablet events need on Windows.
    -DFEATURE_tabletevent=OFF
    -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF
    # Direct2D stays on: without it Gui leaves out the DirectWrite font database that the windows
    # plugin still uses, and the plugin does not link. 1.1 off leaves out the Direct2D plugin.
    -DFEATURE_direct2d1_1=OFF
    # Debian's patch builds this Android tool in cross builds too.
    -DFEATURE_androiddeployqt=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
    -DFEATURE_system_textmarkdownreader=OFF
    # What the program never uses is left out, and Qt is optimised for size (-O1 compiles slower
    # still): the build takes a sixth less processor time and the zip a third less room
    # (docs/performance.md).
    -DFEATURE_optimize_size=ON
    # FreeType stays: the offscreen platform that the tests run on under Wine needs it.
    -DFEATURE_pdf=OFF -DFEATURE_movie=OFF -DFEATURE_textodfwriter=OFF
    -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF -DFEATURE_systemtrayicon=OFF
    -DFEATURE_imageformat_ppm=OFF -DFEATURE_imageformat_xbm=OFF
    -DFEATURE_graphicsview=OFF -DFEATURE_style_stylesheet=OFF -DFEATURE_mdiarea=OFF
    -DFEATURE_calendarwidget=OFF -DFEATURE_datetimeedit=OFF -DFEATURE_wizard=OFF
    -DFEATURE_fontdialog=OFF -DFEATURE_colordialog=OFF -DFEATURE_undoview=OFF -DFEATURE_lcdnumber=OFF
    -DFEATURE_toolbox=OFF -DFEATURE_splashscreen=OFF -DFEATURE_keysequenceedit=OFF
    -DFEATURE_fontcombobox=OFF -DFEATURE_dial=OFF
)
# The clone's path is not part of the key, so that another clone finds the same build.
key=$(
    echo "qt6-base $version"
    printf '%s\n' "${flags[@]}"
    grep -v -e '^\s*#' -e '^\s*$' "$toolchain"
    cat /dev/null "${patches[@]}"
    "$triplet-g++-posix" --version | head -n 1
)
hash=$(sha256sum <<<"$key" | cut -c1-12)
upstream=${version#*:}
upstream=${upstream%%[+~-]*}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/corvantis-panel
prefix=$cache/qt6-windows-$upstream-$hash
stamp=$prefix/corvantis-build-key.txt
mkdir -p "$cache"
# Two callers at once (a developer and CI on one machine) make one build; the second waits for it.
exec 9>"$prefix.lock"
flock 9
if [[ -f $stamp ]] && [[ $(cat "$stamp") == "$key" ]]; then
    echo "Qt for Windows $upstream is already built"
    echo "$prefix" >&3
    exit 0
fi
rm -rf "$prefix"
stage_done packages

# apt-get source needs a deb-src entry: the machine's own Debian entries, for source packages.
if ! grep -qsE -e '^Types:.*\bdeb-src\b' -e '^deb-src ' /etc/apt/sources.list \
        /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list; then
    [[ $(id -u) -eq 0 ]] || { echo "Run as root (or with sudo) to add a deb-src entry." >&2; exit 1; }
    if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
        sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            >/etc/apt/sources.list.d/corvantis-src.sources
    else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >/etc/apt/sources.list.d/corvantis-src.list
    fi
fi
work=$cache/qt6-windows-$upstream-$hash.work
rm -rf "$work"
mkdir -p "$work"
# As in common.sh: another apt-get may hold the package lists' lock, which update does not wait for.
tries=0
until apt-get -o DPkg::Lock::Timeout=600 update -q 2>"$work/update.log"; do
    cat "$work/update.log"
    grep -q "Could not get lock" "$work/update.log" && ((++tries < 60)) || exit 1
    echo "Waiting for another apt-get to finish updating the package lists"
    sleep 10
done
cat "$work/update.log"
# The download is as root like the rest; apt's own user cannot write into root's cache.
(cd "$work" && apt-get -q -o APT::Sandbox::User=root source "qt6-base=$version")
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*')
for patch in "${patches[@]}"; do
    echo "Applying ${patch#"$PWD"/}"
    patch -d "$src" -p1 --forward --batch <"$patch"
done
stage_done source

# Qt's own qt.toolchain.cmake (used by qt-cmake) loads the toolchain file that Qt was built with:
# a copy in the prefix outlives the clone.
install -D -m 644 "$toolchain" "$prefix/share/corvantis-panel/$triplet.cmake"
cmake -S "$src" -B "$work/build" "${flags[@]}" \
      -DCMAKE_TOOLCHAIN_FILE="$prefix/share/corvantis-panel/$triplet.cmake" -DCMAKE_INSTALL_PREFIX="$prefix"
stage_done configure

cmake --build "$work/build" --parallel "$(nproc)"
stage_done build

cmake --install "$work/build" --strip
printf '%s\n' "$key" >"$stamp"
rm -rf "$work"
echo "Qt for Windows $upstream in $(du -sh "$prefix" | cut -f1)"
stage_done install
echo "$prefix" >&3
