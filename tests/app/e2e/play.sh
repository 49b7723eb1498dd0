#!/usr/bin/env bash
# Space plays the whole sound: the default sound device (ALSA's file plugin writing into a FIFO
# that the test reads) receives exactly the song's frames with only silence around them; Shift+S
# stops a playing sound before its end.
source "$(dirname "$0")/lib.sh"
HERE="$(cd "$(dirname "$0")" && pwd)"

cd "$WORK"
mkfifo played.fifo
cat >asound.conf <<CONF
pcm.!default {
  type file
  slave.pcm { type null }
  file "$WORK/played.fifo"
  format "raw"
  truncate true
}
CONF
export ALSA_CONFIG_PATH="$WORK/asound.conf"

# Half a second of stereo; ten seconds of mono for the stop.
"$CLI" --new 1,2,44100,16,22050 --effect synth:60,0,1,44000 -o song.wav
"$CLI" --new 1,1,44100,16,441000 --effect synth:60,0,1,44000 -o long.wav

# The capture runs for the whole test; `span` reads how many bytes between the first and the
# last non-silent one it has seen, `finish_capture` ends it and leaves that span in played.raw.
python3 "$HERE/capture.py" played.fifo played.raw capture.state capture.stop 176400 &
PIDS+=("$!")
CAPTURE_PID=$!

span() { cut -d" " -f2 capture.state 2>/dev/null || echo 0; }

# wait_span BYTES: until the span holds at least BYTES.
wait_span() {
  local i
  for i in $(seq 1 200); do
    [ "$(span)" -ge "$1" ] && return 0
    sleep 0.1
  done
  cat "$WORK"/tarkel-*.log >&2
  fail "only $(span) bytes were played, expected $1"
}

# wait_still: until the span has stayed the same for a second.
wait_still() {
  local i last=-1 now
  for i in $(seq 1 100); do
    now=$(span)
    [ "$now" = "$last" ] && return 0
    last=$now
    sleep 1
  done
  fail "the device never stopped playing"
}

finish_capture() {
  touch capture.stop
  # Wakes the reader should it wait for the device to open.
  timeout 2 bash -c ': >played.fifo' 2>/dev/null || true
  wait "$CAPTURE_PID" || fail "the capture failed"
}

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
