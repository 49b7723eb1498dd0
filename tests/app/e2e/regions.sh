#!/usr/bin/env bash
# Play All in the region manager: three regions of two sounds, two of them repeated, loaded from
# a cue file through the window's "Open queue". The default sound device (ALSA's file plugin,
# read at the pace of a sound card) receives exactly the frames of the script, region after
# region with all their repeats, and no more than one timer period (80 ms) of silence between
# two regions.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/capture.sh"

cd "$WORK"
start_capture

# Two sounds in one format; the regions as tarkel-cli stores them.
"$CLI" --new 1,2,44100,16,30000 --effect synth:60,0,1,44000 -o verse.wav
"$CLI" --new 1,2,44100,16,20000 --effect synth:60,0,1,30000 -o chorus.wav
"$CLI" chorus.wav --region three,10000,11499,LR,3 --save-cue chorus.cue
"$CLI" verse.wav --region one,1000,2999,LR,2 --region two,8000,8999,LR,1 --load-cue chorus.cue \
  --save-cue script.cue --list-regions >regions.txt

start_tarkel
pid=$LAST_PID
wait_window '^Play-Script/Region-Manager$'
regions=$WID

# The list's context menu, "&Open queue", the file's name typed into the file dialog.
xdotool windowfocus --sync "$regions"
xdotool mousemove --window "$regions" 300 100 click 3
sleep 0.5
xdotool key o
wait_window '^&Open queue$' "$regions"
xdotool windowfocus --sync "$WID"
xdotool type --delay 20 "$WORK/script.cue"
xdotool key Return
# Loading opens the sounds the regions name.
wait_window '^Tarkel - chorus\.wav$'
sleep 0.5

# "Play A&ll".
keys "$regions" alt+l
expected=$(awk -F'\t' '{ n += ($4 - $3 + 1) * $6 } END { print n * 4 }' regions.txt)
wait_span "$expected"
wait_still
finish_capture

python3 - regions.txt played.raw <<'PY'
import sys, wave
period = 44100 * 80 // 1000 * 4  # one timer period of 16-bit stereo at 44.1 kHz, in bytes
pieces = []
for line in open(sys.argv[1]):
    number, name, start, end, channel, repeats, path = line.rstrip("\n").split("\t")
    with wave.open(path) as w:
        data = w.readframes(w.getnframes())
    pieces.append((name, data[int(start) * 4:(int(end) + 1) * 4] * int(repeats)))
raw = open(sys.argv[2], "rb").read()
at, gaps = 0, []
for name, piece in pieces:
    found = raw.find(piece, at)
    if found < 0:
        sys.exit(f"region {name} with its repeats is not among the {len(raw)} bytes played after offset {at}")
    if raw[at:found].strip(b"\0"):
        sys.exit(f"something other than silence was played before region {name}")
    if at:
        gaps.append(found - at)
    at = found + len(piece)
if raw[at:].strip(b"\0"):
    sys.exit("something other than silence was played after the last region")
print("silence between regions:", ", ".join(f"{g} bytes ({g / 176.4:.1f} ms)" for g in gaps))
if any(g > period for g in gaps):
    sys.exit(f"more than one timer period ({period} bytes) of silence between two regions")
PY
echo "regions: ok"
