#!/usr/bin/env bash
# Starts the built program on an X server of its own, finds its window by its caption, measures
# the client area below the menu bar, and leaves with File, Quit, which must end it with status 0.
set -euo pipefail
exe=$1
export LC_ALL=C.UTF-8 LANGUAGE= # the English captions, whatever the machine's language
for tool in Xvfb xdotool xprop; do
    command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done

source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xvfb-window.sh" "$exe"
eval "$(xdotool getwindowgeometry --shell "$win")"
wx=$X wy=$Y ww=$WIDTH wh=$HEIGHT
echo "window $win at $wx,$wy size ${ww}x${wh}"

fail() { echo "FAIL: $*"; exit 1; }
[[ $ww -eq 496 ]] || fail "width $ww, expected 496"
[[ $wx -eq 517 && $wy -eq 165 ]] || fail "window at $wx,$wy, expected 517,165 where it fits"
hints=$(xprop -id "$win" WM_NORMAL_HINTS)
grep -q "minimum size: $ww by $wh" <<<"$hints" || fail "minimum size is not the window size: $hints"
grep -q "maximum size: $ww by $wh" <<<"$hints" || fail "maximum size is not the window size: $hints"

# The icon arrives as a property of its own, possibly just after the window shows.
has_icon() { [[ $(xprop -id "$win" _NET_WM_ICON) == *"Icon (32 x 32)"* ]]; }
for _ in $(seq 50); do has_icon && break; sleep 0.1; done
has_icon || fail "the window has no icon"

# File opens its menu as a window of its own, right below the menu bar.
xdotool mousemove "$((wx + 15))" "$((wy + 6))" click 1
popup=""
for _ in $(seq 50); do
    popup=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | grep -vx "$win" | head -n 1 || true)
    [[ -n $popup ]] && break
    sleep 0.1
done
[[ -n $popup ]] || fail "the File menu did not open"
eval "$(xdotool getwindowgeometry --shell "$popup")"
menubar=$((Y - wy))
client=$((wh - menubar))
echo "menu bar $menubar px, client area ${ww}x${client}"
[[ $client -eq 394 ]] || fail "client area height $client, expected 394"

# Quit is the menu's last item.
xdotool mousemove "$((X + 20))" "$((Y + HEIGHT - 10))" click 1
status=0
timeout 20 tail --pid="$app" -f /dev/null || fail "File, Quit did not end the program"
wait "$app" || status=$?
app=""
[[ $status -eq 0 ]] || fail "exit status $status"
echo "File, Quit ended the program with status 0"
