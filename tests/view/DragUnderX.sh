#!/bin/sh
# A selection dragged with the real mouse from one waveform window into another moves it there.
# Runs under its own X server: xvfb-run -a -s "-screen 0 1300x700x24 -noreset" DragUnderX.sh SHOWCASE
set -u
showcase="$1"
out=$(mktemp)
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$(mktemp -d)
"$showcase" 30000 two > "$out" 2>&1 &
pid=$!
xdotool search --sync --onlyvisible --name 'Tarkel second view' > /dev/null
sleep 1
# Press inside the selection of the first window, move past the drag distance, drop into the
# second window's upper third (its left channel: the source covers both, so both take it).
xdotool mousemove 300 100 mousedown 1
for x in 310 330 400 600 800 900 950; do sleep 0.2; xdotool mousemove $x 100; done
sleep 0.5
xdotool mouseup 1
wait $pid
cat "$out"
grep -qx 'first: 77175 frames' "$out" && grep -qx 'second: 33075 frames' "$out"
status=$?
rm -rf "$out" "$XDG_RUNTIME_DIR"
exit $status
