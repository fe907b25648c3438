#!/usr/bin/env bash
# Takes the README's pictures under a virtual X server: the window at start (docs/screenshot.png),
# after a drag on the travel dial (docs/screenshot-dial.png) and at start with everything drawn
# twice as large on a 1280x1024 screen (docs/screenshot-scale2.png). Needs a built program.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages xvfb xdotool imagemagick
exe=${1:-build/release/corvantis-panel}

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
echo "docs/screenshot.png, docs/screenshot-dial.png and docs/screenshot-scale2.png written"
