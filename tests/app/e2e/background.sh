#!/usr/bin/env bash
# A large sound opened with "Load_in_Background": the window is there while the sound is still
# being read (the program has read less than the sound when its title appears), the read ends
# by itself, and then the sound takes edits. TARKEL_SHOT_DIR, when set, keeps the screenshots.
source "$(dirname "$0")/lib.sh"

cd "$WORK"
# 3 GiB of 16-bit stereo silence in a sparse file: big to read, nothing on the disk.
bytes=$((3 << 30))
python3 - "$bytes" <<'PY'
import struct, sys
n = int(sys.argv[1])
with open("big.wav", "wb") as f:
    f.write(b"RIFF" + struct.pack("<I", 36 + n) + b"WAVEfmt " + struct.pack("<IHHIIHH", 16, 1, 2, 44100, 176400, 4, 16))
    f.write(b"data" + struct.pack("<I", n))
    f.truncate(44 + n)
PY

mkdir -p "$XDG_CONFIG_HOME/Brannick"
cat > "$XDG_CONFIG_HOME/Brannick/Tarkel.conf" <<'CONF'
[Generic_Preferences]
FirstTime=99
Load_in_Background=1
SelectionWindowVisible=0
VolumeControlWindowVisible=0
ScopeWindowVisible=0
AudioPlayerWindowVisible=0
CONF

# Bytes the program has read so far (all its threads).
read_so_far() { awk '/^rchar:/ { print $2 }' "/proc/$1/io"; }

shot() {
  [ -n "${TARKEL_SHOT_DIR:-}" ] || return 0
  import -window root "$TARKEL_SHOT_DIR/$1" 2>/dev/null || true
}

start_tarkel big.wav
pid=$LAST_PID
wait_window '^Tarkel - big\.wav$'
main=$WID
early=$(read_so_far "$pid")
shot background-loading.png
[ "$early" -lt "$bytes" ] || fail "the window came only after the whole sound was read ($early bytes)"

# The read ends by itself; then an edit (the selection one column long, erased) marks the
# document.
for i in $(seq 1 600); do
  [ "$(read_so_far "$pid")" -ge "$bytes" ] && break
  sleep 0.1
done
[ "$(read_so_far "$pid")" -ge "$bytes" ] || fail "the sound was never read to its end"
sleep 0.5
shot background-loaded.png
keys "$main" Right Delete
wait_title "$main" '^Tarkel - big\.wav\*$'

keys "$main" alt+F4
wait_window '^Tarkel$'
keys "$WID" alt+n
wait_exit "$pid"
echo "background: ok"
