#!/usr/bin/env bash
# Takes the README's pictures under a virtual X server: the window at start (docs/screenshot.png),
# after a drag on the travel dial (docs/screenshot-dial.png), at start with everything drawn
# twice as large on a 1280x1024 screen (docs/screenshot-scale2.png), and in a dark colour scheme
# with the test panel shown and the start of sweep reached with F6 (docs/screenshot-dark.png); the
# Motion window's timeline beside the main window, light and dark (docs/screenshot-timeline*.png).
# Needs a built program; the last picture chooses COM1 through tests/wiretap beside it, if built.
# Then, in German and French (docs/screenshot-de.png, docs/screenshot-fr.png): the window with its
# File menu open beside the Motion window, and the file dialog Load Settings opens.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages xvfb xdotool imagemagick qt6ct
exe=${1:-build/release/corvantis-panel}
export LC_ALL=C.UTF-8 LANGUAGE= # English, whatever the machine's language, unless named below

source "$(dirname "${BASH_SOURCE[0]}")/xvfb-window.sh" "$exe"
eval "$(xdotool getwindowgeometry --shell "$win")"
top=$((Y + HEIGHT - 394)) # the client area starts below the menu bar
sleep 0.5
import -window "$win" docs/screenshot.png

# Grab the end of sweep (the right-hand edge of the sector) and pull it up and over the top.
dial_x=$((X + 312)) dial_y=$top
xdotool mousemove $((dial_x + 150)) $((dial_y + 40)) mousedown 1
for point in "150 20" "140 8" "125 2" "110 0" "100 -2"; do
    set -- $point
    xdotool mousemove $((dial_x + $1)) $((dial_y + $2))
    sleep 0.05
done
xdotool mouseup 1
sleep 0.3
import -window "$win" docs/screenshot-dial.png
stop_xvfb_window

XVFB_SCREEN=1280x1024x24 QT_SCALE_FACTOR=2 source "$(dirname "${BASH_SOURCE[0]}")/xvfb-window.sh" "$exe"
sleep 0.5
import -window "$win" docs/screenshot-scale2.png
stop_xvfb_window

# A dark scheme as a desktop without a Qt theme of its own gives it: qt6ct with its "darker"
# colours, as its users set it in ~/.config/qt6ct/qt6ct.conf.
config=$(mktemp -d)
mkdir "$config/qt6ct"
printf '[Appearance]\ncustom_palette=true\ncolor_scheme_path=%s\nstyle=Fusion\n' \
    /usr/share/qt6ct/colors/darker.conf >"$config/qt6ct/qt6ct.conf"
tap=$(dirname "$exe")/tests/wiretap
[[ -x $tap ]] || tap=$exe
XDG_CONFIG_HOME=$config QT_QPA_PLATFORMTHEME=qt6ct \
    source "$(dirname "${BASH_SOURCE[0]}")/xvfb-window.sh" "$tap" >/dev/null
eval "$(xdotool getwindowgeometry --shell "$win")"
sleep 0.5
# Serial Port, COM1; then servo 3 and the start of sweep from the keyboard.
xdotool mousemove $((X + 80)) $((Y + 6)) click 1
sleep 0.5
xdotool key Down Return
sleep 0.3
xdotool mousemove $((X + 250)) $((Y + 200))
for key in F6 Right Right Right F6; do
    xdotool key $key
    sleep 0.1
done
sleep 0.3
import -window "$win" docs/screenshot-dark.png
stop_xvfb_window

# The Motion window opened with the example beside the main window on a 1280x800 screen, its
# timeline clicked at 6.5 s, light (docs/screenshot-timeline.png) and dark, with the dark
# scheme's font at the desktop's usual size (docs/screenshot-timeline-dark.png).
timeline_picture() {
    local work out=$1
    work=$(mktemp -d)
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    local server=$!
    for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
    DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM= HOME=$work "$exe" docs/examples/wave.svseq &
    local program=$!
    export DISPLAY=":$(cat "$work/display")"
    local main motion
    main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Corvantis Panel$' | head -n 1)
    sleep 2
    motion=$(xdotool search --onlyvisible --name '^wave' | head -n 1)
    eval "$(xdotool getwindowgeometry --shell "$motion")"
    local mx=$X my=$Y mh=$HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$main")"
    # The lanes are near the window's foot; 0 s is 12 pixels in, at about 35 pixels a second.
    xdotool mousemove $((mx + 240)) $((my + mh - 190)) click 1
    sleep 0.7
    import -window root -crop $((X + WIDTH - mx))x${mh}+${mx}+${my} +repage "$out"
    kill "$program" "$server"
    rm -rf "$work"
}
timeline_picture docs/screenshot-timeline.png
printf '\n[Fonts]\ngeneral="DejaVu Sans,9,-1,5,400,0,0,0,0,0,0,0,0,0,0,1"\n' >>"$config/qt6ct/qt6ct.conf"
XDG_CONFIG_HOME=$config QT_QPA_PLATFORMTHEME=qt6ct timeline_picture docs/screenshot-timeline-dark.png
rm -rf "$config"
echo "docs/screenshot.png, docs/screenshot-dial.png, docs/screenshot-scale2.png, docs/screenshot-dark.png," \
    "docs/screenshot-timeline.png and docs/screenshot-timeline-dark.png written"

declare -A load_title=([de]="Servo-Einstellungen öffnen" [fr]="Ouvrir des réglages de servos")
exe=$(realpath "$exe") docs=$PWD/docs
# A folder of the user's own, with a settings file in it, where the file dialog starts.
home=$(mktemp -d)
mkdir "$home/Roboter"
printf 'Servo1.3' >"$home/arm.svo"
head -c 80 /dev/zero >>"$home/arm.svo"
pushd "$home" >/dev/null
for language in de fr; do
    HOME=$home XDG_CONFIG_HOME=$home/.config LANGUAGE=$language XVFB_SCREEN=1280x800x24 \
        source "$docs/../scripts/xvfb-window.sh" "$exe"
    eval "$(xdotool getwindowgeometry --shell "$win")"
    sleep 0.5
    xdotool mousemove $((X + 250)) $((Y + 200)) click 1 key ctrl+m # the Motion window, to its left
    sleep 1
    xdotool mousemove $((X + 15)) $((Y + 6)) click 1 # the File menu
    sleep 0.5
    import -window root -trim +repage "$xvfb_work/windows.png"
    xdotool key Escape
    sleep 0.3
    xdotool mousemove $((X + 250)) $((Y + 200)) click 1 key ctrl+o
    dialog=$(timeout 10 xdotool search --sync --onlyvisible --name "^${load_title[$language]}\$" | head -n 1)
    sleep 1
    import -window "$dialog" "$xvfb_work/dialog.png"
    convert "$xvfb_work/windows.png" "$xvfb_work/dialog.png" -background white -gravity center -append \
        "$docs/screenshot-$language.png"
    stop_xvfb_window
done
popd >/dev/null
rm -rf "$home"
echo "docs/screenshot.png, docs/screenshot-dial.png, docs/screenshot-scale2.png, docs/screenshot-dark.png," \
     "docs/screenshot-de.png and docs/screenshot-fr.png written"
