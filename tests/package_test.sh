#!/usr/bin/env bash
# Builds the Debian package from a build folder, checks it and its debug package with lintian,
# checks its dependencies and contents, installs it into a scratch root, validates the installed
# desktop and metainfo files, checks that a saved settings file is known by its new type there, and
# starts the installed program under Xvfb, leaving it with File, Quit.
#   package_test.sh BUILD_DIR E2E_SCRIPT
set -euo pipefail
build=$1 e2e=$2
# The program's words in English, whatever the machine's language; the rows below name others.
export LC_ALL=C.UTF-8 LANGUAGE=
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/corvantis-panel_*.deb)
ddeb=$(ls "$work"/out/corvantis-panel-dbgsym_*.ddeb)
echo "package: $(basename "$deb") $(basename "$ddeb")"

# Any error or warning is something a Debian maintainer would have to fix.
lintian --fail-on error,warning "$deb" "$ddeb" >"$work/lintian" 2>&1 || status=$?
grep -v "running with root privileges" "$work/lintian" || true
((${status:-0} == 0)) || fail "lintian reports errors or warnings (status $status)"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6core6 libqt6gui6 libqt6widgets6 libc6 libstdc++6; do
    grep -q "\b$lib\b" <<<"$depends" || fail "no dependency on $lib"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
for pkg in fonts-liberation2 qt6-wayland qt6-translations-l10n; do
    grep -q "\b$pkg\b" <<<"$recommends" || fail "does not recommend $pkg"
done

root=$work/root
dpkg -x "$deb" "$root"
for file in usr/bin/corvantis-panel \
            usr/share/applications/org.corvantis.Panel.desktop \
            usr/share/metainfo/org.corvantis.Panel.metainfo.xml \
            usr/share/icons/hicolor/scalable/apps/org.corvantis.Panel.svg \
            usr/share/icons/hicolor/48x48/apps/org.corvantis.Panel.png \
            usr/share/mime/packages/org.corvantis.Panel.xml \
            usr/share/man/man1/corvantis-panel.1.gz \
            usr/share/doc/corvantis-panel/copyright \
            usr/share/doc/corvantis-panel/changelog.gz; do
    [[ -e $root/$file ]] || fail "$file is not in the package"
done
contents=$(dpkg -c "$deb")
for language in de fr; do
    grep -q "/usr/share/corvantis-panel/translations/corvantis-panel_$language.qm$" <<<"$contents" ||
        fail "the package lists no $language catalogue"
done
# The installed program finds its catalogue under its prefix, and Qt's where Debian keeps them.
help=$(LANGUAGE=de "$root/usr/bin/corvantis-panel" --help)
[[ $help == Aufruf:*"Die Einstellungen aus FILE ohne Fenster"* ]] || fail "--help is not German: $help"
# The changelog has an entry for this version; the debug package has what the stripped program
# names by its build ID.
zcat "$root/usr/share/doc/corvantis-panel/changelog.gz" >"$work/changelog"
[[ $(dpkg-parsechangelog -l "$work/changelog" -S Version) == $(dpkg-deb -f "$deb" Version) ]] ||
    fail "the changelog's latest entry is not for version $(dpkg-deb -f "$deb" Version)"
build_id=$(readelf -n "$root/usr/bin/corvantis-panel" | sed -n 's/.*Build ID: //p')
dpkg -x "$ddeb" "$work/debug"
[[ -s $work/debug/usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug ]] ||
    fail "the debug package has no debug file for build ID $build_id"
desktop-file-validate "$root/usr/share/applications/org.corvantis.Panel.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.corvantis.Panel.metainfo.xml"
grep -q "^Icon=org.corvantis.Panel$" "$root/usr/share/applications/org.corvantis.Panel.desktop"
grep -q "^MimeType=application/x-corvantis-svo;application/x-corvantis-sequence;$" "$root/usr/share/applications/org.corvantis.Panel.desktop"
man -l "$root/usr/share/man/man1/corvantis-panel.1.gz" 2>&1 >/dev/null | { ! grep .; } || fail "the man page has faults"

# A saved file by its name, and the same bytes under another name by the tag they begin with.
update-mime-database "$root/usr/share/mime"
printf 'Servo1.3' >"$work/saved.svo"
head -c 80 /dev/zero >>"$work/saved.svo"
cp "$work/saved.svo" "$work/saved-without-extension"
cp "$(dirname "$e2e")/../docs/examples/wave.svseq" "$work/wave.svseq"
cp "$work/wave.svseq" "$work/wave-without-extension"
expect_type() {
    local type expected=$1
    shift
    for file in "$@"; do
        type=$(XDG_DATA_DIRS="$root/usr/share:/usr/share" xdg-mime query filetype "$work/$file")
        [[ $type == "$expected" ]] || fail "$file is $type"
    done
    echo "$* are $expected"
}
expect_type application/x-corvantis-svo saved.svo saved-without-extension
expect_type application/x-corvantis-sequence wave.svseq wave-without-extension

"$e2e" "$root/usr/bin/corvantis-panel"
echo "the installed program started, showed its window and quit with status 0"
