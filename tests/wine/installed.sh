#!/usr/bin/env bash
# The Windows package as a user meets it, in the prefix and on the X display scripts/windows.sh
# made (WINEPREFIX, DISPLAY): the programs' icon and version resources, then the setup installed
# silently, what it registered, the installed programs at work (a .svo opened by its registered
# command, --version, --upload to COM1 and to COM10, a name with an umlaut read back from the
# console), and the uninstaller, which must leave the prefix as it found it.
#   installed.sh SETUP.exe UNPACKED_ZIP_FOLDER
set -euo pipefail
setup=$1 unpacked=$2
here=$(dirname "${BASH_SOURCE[0]}")
fail() { echo "FAIL: $*"; exit 1; }
version=$(wine "$unpacked/corvantis-panel.com" --version | tr -d '\r')
version=${version#corvantis-panel }

# The resources, as Explorer reads them: every icon size, and the version block.
for program in corvantis-panel.exe corvantis-panel.com; do
    rc=$(x86_64-w64-mingw32-windres -J coff -O rc -i "$unpacked/$program")
    sizes=$(sed -n '/RT_GROUP_ICON/,/^END/p' <<<"$rc" |
            sed -n 's/^ *"\\\([0-7]*\)\\.*Element.*/\1/p' | while read -r s; do
                n=$((8#$s)); echo $((n ? n : 256)); done | tr '\n' ' ')
    echo "$program: icon sizes $sizes"
    [[ $sizes == "16 32 48 64 128 256 " ]] || fail "$program has icons of $sizes"
    sed -n '/VERSIONINFO/,/^END/p' <<<"$rc" | grep -E 'VERSION |VALUE' | sed 's/^ */    /'
    grep -q "VALUE \"ProductVersion\", \"$version\"" <<<"$rc" || fail "$program: no version $version"
    grep -q 'RT_MANIFEST' <<<"$rc" || fail "$program has no manifest"
done
windres_twin=$(x86_64-w64-mingw32-windres -J coff -O rc -i "$unpacked/corvantis-panel.com")
grep -q 'FileDescription", ".*console twin' <<<"$windres_twin" || fail "the twin does not say what it is"

# Another program's earlier choice for .svseq, which the uninstaller must give back.
wine reg add 'HKCU\Software\Classes\.svseq' /ve /d Other.Sequence /f >/dev/null 2>&1
wine "$setup" /S || fail "the setup did not install silently"
user_dir=$(winepath -u "$(wine cmd /c echo %LOCALAPPDATA% | tr -d '\r')")
installed="$user_dir/Programs/Corvantis Panel"
shortcut="$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")/Microsoft/Windows/Start Menu/Programs/Corvantis Panel.lnk"
[[ -f $shortcut ]] || fail "no Start menu shortcut"
diff <(cd "$unpacked" && find . -type f | sort) \
     <(cd "$installed" && find . -type f ! -name uninstall.exe | sort) || fail "installed files differ from the zip's"
echo "the setup installed the zip's $(find "$installed" -type f | wc -l) files, uninstall.exe and the shortcut"

query() { wine reg query "$@" 2>/dev/null | tr -d '\r'; }
for type in svo svseq; do
    [[ $(query "HKCU\\Software\\Classes\\.$type" /ve) == *"CorvantisPanel.$type"* ]] || fail ".$type is not ours"
    query "HKCU\\Software\\Classes\\CorvantisPanel.$type" /s | grep -E 'REG_SZ' | sed 's/^ */    /'
done
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\CorvantisPanel'
entry=$(query "$uninstall_key")
grep -q "DisplayVersion *REG_SZ *$version" <<<"$entry" || fail "no uninstall entry: $entry"
grep -E 'DisplayName|UninstallString|Previous' <<<"$entry" | sed 's/^ */    /'

program="$installed/corvantis-panel.com"
[[ $(wine "$program" --version | tr -d '\r') == "corvantis-panel $version" ]] || fail "installed --version"
python3 "$here/upload.py" "$program" COM1
python3 "$here/upload.py" "$program" COM10

# What cmd.exe shows: Wine puts the console on a terminal, where its code page is the OEM one.
python3 - "$program" <<'PY'
import os, pty, re, select, sys
pid, fd = pty.fork()
if pid == 0:
    os.execvp("wine", ["wine", sys.argv[1], "--upload", "fehlt-\u00f6.svo", "--port", "COM1"])
shown = b""
while select.select([fd], [], [], 30)[0]:
    try:
        chunk = os.read(fd, 4096)
    except OSError:
        break
    if not chunk:
        break
    shown += chunk
os.waitpid(pid, 0)
# The console's screen as the terminal draws it: a move right is as many blanks.
text = re.sub(r"\x1b\[(\d*)C", lambda m: " " * int(m.group(1) or 1), shown.decode(errors="replace"))
text = re.sub(r"\x1b\[[0-9;?]*[A-Za-z]", "", text)
line = next((l.strip() for l in text.splitlines() if "fehlt" in l), "")
print(f"the console shows: {line}")
if not line.startswith('"fehlt-\u00f6.svo" could not be opened'):
    sys.exit("FAIL: the name does not read right in the console")
PY

# The registered open commands, run as Explorer runs them for a double click: a .svo opens in the
# window with its address in the board address field (File, Save Settings writes back what the
# window holds), a .svseq in the Motion window.
open_with() { # TYPE FILE: starts the type's command on the file; `opened` is its process
    local command exe
    command=$(query "HKCU\Software\Classes\CorvantisPanel.$1\shell\open\command" /ve |
              sed -n 's/.*REG_SZ *//p')
    exe=$(sed -n 's/^"\([^"]*\)" "%1"$/\1/p' <<<"$command")
    [[ -n $exe ]] || fail "the .$1 command is not \"program\" \"%1\": $command"
    wine "$exe" "$(winepath -w "$2")" >/dev/null 2>&1 &
    opened=$!
}
window_named() { # TITLE: sets `win` to the window with that caption
    win=""
    for _ in $(seq 300); do
        win=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1 || true)
        [[ -n $win ]] && return
        sleep 0.1
    done
    fail "no window \"$1\" opened"
}
robot=$(mktemp -d)/robot.svo
python3 -c "import struct, sys; open(sys.argv[1], 'wb').write(b'Servo1.3' + struct.pack('<4i', 123, 9600, 1, 0) + struct.pack('<2i', 1843, 5529) * 8)" "$robot"
open_with svo "$robot"
window_named "Corvantis Panel"
sleep 1
timeout 5 xdotool windowfocus --sync "$win" 2>/dev/null || true
saved=$(dirname "$robot")/saved.svo
xdotool key ctrl+s
window_named "Save Servo Settings"
sleep 1
xdotool type --delay 20 "$(winepath -w "$saved")"
xdotool key Return
for _ in $(seq 100); do [[ -s $saved ]] && break; sleep 0.1; done
address=$(od -A n -t d4 -j 8 -N 4 "$saved" 2>/dev/null | tr -d ' ')
echo "the window opened by the .svo's command holds address $address (saved again from it)"
[[ $address == 123 ]] || fail "the window holds address \"$address\", not the file's 123"
kill "$opened" 2>/dev/null || true
wait "$opened" 2>/dev/null || true
open_with svseq "$installed/wave.svseq"
window_named "wave.svseq - Motion"
echo "the .svseq's command opened wave.svseq in the Motion window"
kill "$opened" 2>/dev/null || true
wait "$opened" 2>/dev/null || true

wine "$installed/uninstall.exe" /S
# The uninstaller goes on from a copy of itself in the temporary folder, after this returns.
for _ in $(seq 300); do [[ -e $installed ]] || break; sleep 0.1; done
[[ ! -e $installed ]] || fail "left behind: $(find "$installed")"
[[ ! -e $shortcut ]] || fail "the shortcut is still there"
for key in 'HKCU\Software\Classes\.svo' 'HKCU\Software\Classes\CorvantisPanel.svo' \
           'HKCU\Software\Classes\CorvantisPanel.svseq' "$uninstall_key"; do
    query "$key" >/dev/null && fail "$key is still there"
done
left=$(query 'HKCU\Software\Classes\.svseq' /s)
[[ $left == *"Other.Sequence"* && $left != *CorvantisPanel* ]] || fail "the other program's .svseq is not back: $left"
echo "the uninstaller removed the files, the shortcut, both file types and its entry; .svseq is Other.Sequence's again"
rm -rf "$(dirname "$robot")"
