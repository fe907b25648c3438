# Sourced by scripts that drive the program on an X server of its own: starts Xvfb, starts the
# program given as $1, and sets `app` to its process and `win` to its window, found by its caption.
# Both are stopped when the sourcing script exits, or by stop_xvfb_window. The screen is 1024x768
# unless XVFB_SCREEN says otherwise (as WIDTHxHEIGHTxDEPTH).
xvfb_work=$(mktemp -d)
stop_xvfb_window() {
    [[ -n ${app:-} ]] && kill "$app" 2>/dev/null
    [[ -n ${xvfb:-} ]] && kill "$xvfb" 2>/dev/null
    rm -rf "$xvfb_work"
    app="" xvfb=""
    return 0
}
trap stop_xvfb_window EXIT

Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp 3>"$xvfb_work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [[ -s $xvfb_work/display ]] && break; sleep 0.1; done
export DISPLAY=":$(cat "$xvfb_work/display")"
unset QT_QPA_PLATFORM

"$1" &
app=$!
win=$(timeout 30 xdotool search --sync --onlyvisible --name '^Corvantis Panel$' | head -n 1)
