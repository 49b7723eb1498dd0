#!/bin/sh
# CPU load of tarkel-cli while it plays 10 s of 16-bit stereo at 44.1 kHz into ALSA's file plugin,
# whose file is a FIFO read at real-time pace (176,400 bytes a second).
# Usage: bench/audio_cpu.sh [path/to/tarkel-cli]
set -eu
CLI=${1:-build/release/src/cli/tarkel-cli}
DIR=$(mktemp -d)
trap 'rm -rf "$DIR"' EXIT
mkfifo "$DIR/fifo"
cat > "$DIR/asound.conf" <<CONF
pcm.!default {
  type file
  slave.pcm { type null }
  file "$DIR/fifo"
  format "raw"
  truncate true
}
CONF
"$CLI" --new 1,2,44100,16,441000 -o "$DIR/song.wav"
python3 - "$DIR/fifo" <<'PY' &
import os, sys, time
fd = os.open(sys.argv[1], os.O_RDONLY)
start = time.monotonic(); total = 0
while True:
    chunk = os.read(fd, 1764)
    if not chunk:
        break
    total += len(chunk)
    delay = start + total / 176400 - time.monotonic()
    if delay > 0:
        time.sleep(delay)
PY
READER=$!
ALSA_CONFIG_PATH="$DIR/asound.conf" /usr/bin/time -f "wall %e s, user %U s, system %S s" "$CLI" "$DIR/song.wav" --play
wait $READER
