#!/usr/bin/env bash
# A mouse drag across the waveform selects a range; Ctrl+X removes it and Ctrl+S saves the rest.
# The removed range must be the one under the drag (the view's columns found on a screenshot)
# and the saved file exactly what tarkel-cli makes of the song with that range cut.
source "$(dirname "$0")/lib.sh"

cd "$WORK"
"$CLI" --new 1,1,22050,16,20001 --effect synth:60,0,1,44000 -o song.wav
cp song.wav original.wav

# Not a first run, and no monitor windows: nothing but the document stands over the main window.
mkdir -p "$XDG_CONFIG_HOME/Brannick"
cat > "$XDG_CONFIG_HOME/Brannick/Tarkel.conf" <<'CONF'
[Generic_Preferences]
FirstTime=99
SelectionWindowVisible=0
VolumeControlWindowVisible=0
ScopeWindowVisible=0
AudioPlayerWindowVisible=0
CONF
start_tarkel song.wav
wait_window '^Tarkel - song\.wav$'
main=$WID
xdotool windowfocus --sync "$main"
sleep 0.5

# The wave area: the first row from the top whose black run starts at the screen's left edge and
# is long (the background of the samples is black; above the wave it spans the whole width).
import -window root screen.png
convert screen.png screen.ppm
read -r left right top < <(python3 - screen.ppm <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
parts = data.split(maxsplit=4)
w, h = int(parts[1]), int(parts[2])
pix = parts[4]
def black(x, y):
    i = (y * w + x) * 3
    return pix[i] == 0 and pix[i + 1] == 0 and pix[i + 2] == 0
for y in range(100, h):
    x = 0
    while x < 40 and not black(x, y):
        x += 1
    if x == 40:
        continue
    end = x
    while end < w and black(end, y):
        end += 1
    if end - x >= 400:
        print(x, end, y)
        break
else:
    sys.exit("no wave area on the screen")
PY
)
width=$((right - left))
x1=$((left + width / 4))
x2=$((left + width * 3 / 5))
y=$((top + 30))
xdotool mousemove "$x1" "$y" mousedown 1
for x in $(seq "$x1" 20 "$x2") "$x2"; do
  xdotool mousemove "$x" "$y"
  sleep 0.02
done
xdotool mouseup 1
sleep 0.3
keys "$main" ctrl+x
wait_title "$main" '^Tarkel - song\.wav\*$'
keys "$main" ctrl+s
wait_title "$main" '^Tarkel - song\.wav$'

# The removed range: where the saved sound first differs from the song, as long as it shrank.
read -r first last < <(python3 - original.wav song.wav <<'PY'
import sys, wave
def frames(path):
    with wave.open(path) as w:
        return w.readframes(w.getnframes())
a, b = frames(sys.argv[1]), frames(sys.argv[2])
n = (len(a) - len(b)) // 2
if n <= 0:
    sys.exit("nothing was cut")
first = next((i for i in range(len(b) // 2) if a[2 * i:2 * i + 2] != b[2 * i:2 * i + 2]), len(b) // 2)
print(first, first + n - 1)
PY
)
"$CLI" original.wav --select "$first:$last" --edit cut -o expected.wav
same_file song.wav expected.wav

# The range lies under the drag: its ends within a few columns of the pressed and released ones.
python3 - "$first" "$last" "$x1" "$x2" "$left" "$width" <<'PY'
import sys
first, last, x1, x2, left, width = map(int, sys.argv[1:])
per_column = 20001 // width  # the whole sound shown: whole frames per column
tolerance = 2 * per_column + 64  # a column either way, the even ends, the snap to a zero crossing
for frame, x in ((first, x1), (last, x2)):
    expected = (x - left) * per_column
    if abs(frame - expected) > tolerance:
        sys.exit(f"frame {frame} is not under column {x - left} of {width} (about frame {expected:.0f}; cut {first}:{last})")
print(f"cut frames {first}:{last} for columns {x1 - left}..{x2 - left} of {width}")
PY
echo "drag: ok"
