#!/usr/bin/env bash
# Space plays the whole sound: the default sound device (ALSA's file plugin writing into a FIFO
# that the test reads) receives exactly the song's frames with only silence around them; Shift+S
# stops a playing sound before its end.
source "$(dirname "$0")/lib.sh"

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

# capture OUT: copies what the device plays into OUT until the device is closed.
capture() {
  cat played.fifo >"$1" &
  CAT_PID=$!
  PIDS+=("$CAT_PID")
}

# wait_size FILE BYTES: until FILE holds at least BYTES.
wait_size() {
  local i
  for i in $(seq 1 200); do
    [ "$(stat -c %s "$1")" -ge "$2" ] && return 0
    sleep 0.1
  done
  fail "$1 holds $(stat -c %s "$1") bytes, expected $2"
}

# wait_closed PID: the capture ends when the program closes the device.
wait_closed() {
  local i
  for i in $(seq 1 100); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  fail "the sound device was not closed"
}

start_tarkel song.wav long.wav
wait_window '^Tarkel - long\.wav$'
main=$WID

# The stop: the long sound plays, Shift+S ends it well before its 882000 bytes.
capture stopped.raw
keys "$main" space
wait_size stopped.raw 40000
keys "$main" shift+s
wait_closed "$CAT_PID"
size=$(stat -c %s stopped.raw)
[ "$size" -lt 800000 ] || fail "Shift+S did not stop the playback ($size bytes played)"

# Space on song.wav: exactly its frames reach the device.
keys "$main" F6
wait_title "$main" '^Tarkel - song\.wav$'
capture played.raw
keys "$main" space
wait_closed "$CAT_PID"
python3 - song.wav played.raw <<'PY'
import sys, wave
with wave.open(sys.argv[1]) as w:
    data = w.readframes(w.getnframes())
raw = open(sys.argv[2], "rb").read()
at = raw.find(data)
if at < 0:
    sys.exit(f"the song's {len(data)} bytes are not among the {len(raw)} bytes played")
if raw[:at].strip(b"\0") or raw[at + len(data):].strip(b"\0"):
    sys.exit("something other than silence was played around the song")
if raw.find(data, at + 1) >= 0:
    sys.exit("the song was played twice")
print(f"played {len(data)} song bytes at offset {at} of {len(raw)}")
PY
echo "play: ok"
