#!/usr/bin/env bash
# Takes the README's pictures under a virtual X server: the window at start (docs/screenshot.png)
# and after a drag on the travel dial (docs/screenshot-dial.png). Needs a built program.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
ensure_packages xvfb xdotool imagemagick
exe=${1:-build/release/corvantis-panel}

work=$(mktemp -d)
trap 'kill $app $xvfb 2>/dev/null; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"

"$exe" &
app=$!
win=$(timeout 30 xdotool search --sync --onlyvisible --name '^Corvantis Panel$' | head -n 1)
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
echo "docs/screenshot.png and docs/screenshot-dial.png written"
