#!/usr/bin/env bash
# Space plays the whole sound: the default sound device (ALSA's file plugin writing into a FIFO
# that the test reads) receives exactly the song's frames with only silence around them; Shift+S
# stops a playing sound before its end.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/capture.sh"

cd "$WORK"
start_capture

# Half a second of stereo; ten seconds of mono for the stop.
"$CLI" --new 1,2,44100,16,22050 --effect synth:60,0,1,44000 -o song.wav
"$CLI" --new 1,1,44100,16,441000 --effect synth:60,0,1,44000 -o long.wav

start_tarkel song.wav long.wav
wait_window '^Tarkel - long\.wav$'
main=$WID

# The stop: the long sound plays, Shift+S ends it well before its 882000 bytes.
keys "$main" space
wait_span 40000
keys "$main" shift+s
wait_still
stopped=$(span)
[ "$stopped" -lt 800000 ] || fail "Shift+S did not stop the playback ($stopped bytes played)"

# Space on song.wav: exactly its frames reach the device, after what the stop left.
keys "$main" F6
wait_title "$main" '^Tarkel - song\.wav$'
keys "$main" space
wait_span $((stopped + 88200))
wait_still
finish_capture
python3 - song.wav played.raw "$stopped" <<'PY'
import sys, wave
with wave.open(sys.argv[1]) as w:
    data = w.readframes(w.getnframes())
raw = open(sys.argv[2], "rb").read()
# Silence at the song's own edges cannot be told from the silence around it.
core = data.strip(b"\0")
at = raw.rfind(core)
if at < 0:
    sys.exit(f"the song's {len(data)} bytes are not among the {len(raw)} bytes played")
if at + len(core) != len(raw):
    sys.exit("something other than silence was played after the song")
if raw[int(sys.argv[3]):at].strip(b"\0"):
    sys.exit("something other than silence was played before the song")
print(f"played the song's {len(data)} bytes at offset {at} of the {len(raw)} byte span")
PY
echo "play: ok"
