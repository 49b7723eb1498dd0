#!/usr/bin/env bash
# Effects > Echo opened with the keyboard: a value typed in, the setting kept as a named preset,
# applied with OK and saved; the file equals what tarkel-cli makes with that preset.
source "$(dirname "$0")/lib.sh"

cd "$WORK"
"$CLI" --new 1,2,22050,16,22050 --effect synth:90,10,1,20000 -o song.wav
cp song.wav input.wav

start_tarkel song.wav
pid=$LAST_PID
wait_window '^Tarkel - song\.wav$'
main=$WID

# Effe&cts > &Effects > &Echo...
keys "$main" ctrl+a
keys "$main" alt+c e e
wait_window '^Echo' "$main"
dialog=$WID
# The "Number" box: 5 echoes.
xdotool mousemove --window "$dialog" 48 68 click 1
sleep 0.2
keys "$dialog" ctrl+a 5 Tab
# &Save... asks the preset's name.
keys "$dialog" alt+s
wait_window '^Save As$' "$dialog"
keys "$WID" k e y s Return
sleep 0.3
# OK.
keys "$dialog" Return
wait_title "$main" '^Tarkel - song\.wav\*$'
keys "$main" ctrl+s
wait_title "$main" '^Tarkel - song\.wav$'

presets="$XDG_DATA_HOME/Brannick/Tarkel"
[ -d "$presets" ] || fail "no preset folder in $presets"
"$CLI" --list-presets echo | grep -q "^keys	5," || fail "preset 'keys' not saved with 5 echoes: $("$CLI" --list-presets echo)"
"$CLI" input.wav --select 0:22049 --effect echo@keys -o expected.wav  # Ctrl+A ends on an even frame
same_file song.wav expected.wav
cmp -s song.wav input.wav && fail "the effect changed nothing"

keys "$main" alt+F4
wait_exit "$pid"
