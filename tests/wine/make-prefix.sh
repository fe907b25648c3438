#!/usr/bin/env bash
# Makes the empty Wine prefix the Windows tests run in: COM1 on a link that wire.py points at a
# pseudo-terminal of the test's, every other COM number on nothing, so that no test can reach a
# serial device of the machine (Wine by itself gives the machine's /dev/ttyS0 to COM1), the Qt
# and compiler run-time folders on the program path, Qt's messages on standard error and no
# crash dialog. Its server then stays up for the whole run (stop-prefix.sh ends it).
#   make-prefix.sh [--window] PREFIX DLL_FOLDER...
# With --window the program draws on the X display (Qt's windows platform) rather than offscreen.
set -euo pipefail
platform=offscreen
if [[ ${1:-} == --window ]]; then
    platform=windows
    shift
fi
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all
wineserver -k 2>/dev/null || true
rm -rf "$prefix"
mkdir -p "$prefix/ports"
wineboot -i </dev/null >/dev/null 2>&1
wineserver -w

winepath=""
for folder in "$@"; do
    winepath+="${winepath:+;}$(winepath -w "$folder" 2>/dev/null)"
done
printf '%s' "$winepath" >"$prefix/winepath"

reg=$prefix/test.reg
{
    printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n'
    printf '"COM1"="%s"\n' "$prefix/ports/com1"
    # Wine takes numbers 1 to 255 from here; a name with an empty path is a port with no device.
    for n in $(seq 2 255); do printf '"COM%d"=""\n' "$n"; done
    printf '\n[HKEY_CURRENT_USER\\Environment]\n"QT_FORCE_STDERR_LOGGING"="1"\n'
    printf '"QT_QPA_PLATFORM"="%s"\n' "$platform"
    printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\n"ShowCrashDialog"=dword:00000000\n'
    printf '\n[HKEY_CURRENT_USER\\Software\\Wine]\n"Version"="win10"\n'
} >"$reg"
wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" </dev/null >/dev/null 2>&1
wineserver -k
wineserver -w
# The ports are made anew when the server starts; it then stays up, so they stay as checked here.
rm -f "$prefix"/dosdevices/com*
# Its output is not ours: whoever waits for ours (CTest) would wait for the server too.
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1
for link in "$prefix"/dosdevices/com*; do
    target=$(readlink "$link")
    # The number Wine keeps over for a port of the machine's (256 when 1 to 255 are taken).
    [[ $target == "$prefix/ports/"* ]] || rm -f "$link"
done
ls -l "$prefix"/dosdevices/ | grep -c com | xargs echo "COM links:"
readlink "$prefix/dosdevices/com1"
