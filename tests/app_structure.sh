#!/bin/sh
# The windows stay in pieces a newcomer can find: no file of the Motion window includes the main
# window's header, of the main window's files only the one that creates the Motion window includes
# its header, and no file in app/ grows far past 500 lines.
app="$1/app"
status=0
for f in "$app"/motionwindow* "$app"/sequencedocument.* "$app"/sequencemodels.* \
         "$app"/playbackcontrol.*; do
    if grep -q '#include "app/tform1.h"' "$f"; then
        echo "$f includes the main window's header"
        status=1
    fi
done
for f in "$app"/tform1*.cpp "$app"/tform1.h; do
    [ "$f" = "$app/tform1.cpp" ] && continue
    if grep -q '#include "app/motionwindow.h"' "$f"; then
        echo "$f reaches into the Motion window"
        status=1
    fi
done
for f in "$app"/*.cpp "$app"/*.h; do
    lines=$(wc -l < "$f")
    if [ "$lines" -gt 520 ]; then
        echo "$f has $lines lines"
        status=1
    fi
done
exit $status
