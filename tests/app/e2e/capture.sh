# The default sound device of the end-to-end tests: ALSA's file plugin writing into a FIFO that
# capture.py reads at the pace of a sound card (176400 bytes a second, 16-bit stereo 44.1 kHz).
# Usage: source capture.sh after lib.sh, then start_capture before the program starts.
CAPTURE_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# start_capture: the FIFO, the ALSA configuration (exported) and the reader.
start_capture() {
  mkfifo "$WORK/played.fifo"
  cat >"$WORK/asound.conf" <<CONF
pcm.!default {
  type file
  slave.pcm { type null }
  file "$WORK/played.fifo"
  format "raw"
  truncate true
}
CONF
  export ALSA_CONFIG_PATH="$WORK/asound.conf"
  # `span` reads how many bytes lie between the first and the last non-silent one seen so far;
  # `finish_capture` ends the reader and leaves that span in played.raw.
  python3 "$CAPTURE_DIR/capture.py" "$WORK/played.fifo" "$WORK/played.raw" \
    "$WORK/capture.state" "$WORK/capture.stop" 176400 &
  CAPTURE_PID=$!
  PIDS+=("$CAPTURE_PID")
}

span() { cut -d" " -f2 "$WORK/capture.state" 2>/dev/null || echo 0; }

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
  touch "$WORK/capture.stop"
  # Wakes the reader should it wait for the device to open.
  timeout 2 bash -c ": >'$WORK/played.fifo'" 2>/dev/null || true
  wait "$CAPTURE_PID" || fail "the capture failed"
}
