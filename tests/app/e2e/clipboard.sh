#!/usr/bin/env bash
# Copy in one tarkel and paste in another through the real X clipboard; xclip reads the copied
# range as a wave file; a wave file put on the clipboard by xclip pastes in; Insert makes a new
# document from it.
source "$(dirname "$0")/lib.sh"

cd "$WORK"
"$CLI" --new 1,2,22050,16,3001 --effect synth:50,0,1,44000 -o source.wav
"$CLI" --new 1,2,22050,16,2001 --effect synth:30,0,2,90000 -o target.wav
cp target.wav target2.wav
# Another program's wave data: 8-bit mono at 11025 Hz, converted when it is pasted.
"$CLI" --new 1,1,11025,8,1501 --effect amplitude:50 -o other.wav
"$CLI" other.wav --clipboard offered.wav --edit copy

# What tarkel-cli puts on its clipboard for a copy of the whole sound, and the pastes.
"$CLI" source.wav --clipboard clip.wav --edit copy
"$CLI" target.wav --clipboard clip.wav --edit paste -o expected-target.wav
"$CLI" target2.wav --clipboard offered.wav --edit paste -o expected-target2.wav

# Copy in the first editor.
start_tarkel source.wav
wait_window '^Tarkel - source\.wav$'
first=$WID
keys "$first" ctrl+a ctrl+c
for i in $(seq 1 50); do
  xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -qx 'audio/wav' && break
  sleep 0.1
done
targets=$(xclip -selection clipboard -t TARGETS -o)
for type in audio/wav audio/x-wav audio/vnd.wave; do
  grep -qx "$type" <<<"$targets" || fail "clipboard does not offer $type"
done
xclip -selection clipboard -t audio/wav -o >got.wav
same_file got.wav clip.wav
"$CLI" got.wav --info >/dev/null || fail "the copied image is no wave file"

# Paste in a second editor.
start_tarkel target.wav
second_pid=$LAST_PID
wait_window '^Tarkel - target\.wav$'
second=$WID
keys "$second" ctrl+a ctrl+v
wait_title "$second" '^Tarkel - target\.wav\*$'
keys "$second" ctrl+s
wait_title "$second" '^Tarkel - target\.wav$'
same_file target.wav expected-target.wav
kill "${PIDS[@]}"
wait 2>/dev/null || true
PIDS=()

# A wave file that xclip offers while the editor runs pastes in, and Insert (Paste New) makes a
# document of it.
start_tarkel target2.wav
wait_window '^Tarkel - target2\.wav$'
third=$WID
xclip -quiet -selection clipboard -t audio/wav -i <offered.wav >/dev/null 2>&1 &
PIDS+=($!)
for i in $(seq 1 50); do
  xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -qx 'audio/wav' && break
  sleep 0.1
done
sleep 0.5
keys "$third" ctrl+a ctrl+v
wait_title "$third" '^Tarkel - target2\.wav\*$'
keys "$third" ctrl+s
wait_title "$third" '^Tarkel - target2\.wav$'
same_file target2.wav expected-target2.wav
keys "$third" Insert
wait_title "$third" '^Tarkel - Tarkel1\*$'
echo "clipboard: ok"
