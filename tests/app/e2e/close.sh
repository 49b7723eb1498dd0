#!/usr/bin/env bash
# Closing a modified document asks the save question; Cancel keeps it. A save that fails (its
# folder is gone) shows the message and keeps the document open and modified, also when the
# question's Yes saves; No closes without saving.
source "$(dirname "$0")/lib.sh"

cd "$WORK"
mkdir folder
"$CLI" --new 1,1,22050,16,2001 --effect synth:50,0,1,44000 -o folder/song.wav
cp folder/song.wav original.wav

start_tarkel folder/song.wav
pid=$LAST_PID
wait_window '^Tarkel - song\.wav$'
main=$WID
keys "$main" ctrl+a Delete
wait_title "$main" '^Tarkel - song\.wav\*$'

# The question; Cancel (Escape) keeps everything.
keys "$main" alt+F4
wait_window '^Tarkel$'
keys "$WID" Escape
sleep 0.5
kill -0 "$pid" || fail "Cancel ended the program"
wait_title "$main" '^Tarkel - song\.wav\*$'
same_file folder/song.wav original.wav

# The folder goes away: Save shows its message and the document stays modified.
rm -rf folder
keys "$main" ctrl+s
wait_window '^Tarkel$'
keys "$WID" Return
wait_title "$main" '^Tarkel - song\.wav\*$'

# Yes to the question saves, which fails: the message, and the document stays open.
keys "$main" alt+F4
wait_window '^Tarkel$'
question=$WID
keys "$question" Return
wait_window '^Tarkel$' "$question"
keys "$WID" Return
sleep 0.5
kill -0 "$pid" || fail "a failed save closed the document"
wait_title "$main" '^Tarkel - song\.wav\*$'

# No closes without saving.
keys "$main" alt+F4
wait_window '^Tarkel$'
keys "$WID" alt+n
wait_exit "$pid"
[ ! -e folder/song.wav ] || fail "No wrote the file"
echo "close: ok"
