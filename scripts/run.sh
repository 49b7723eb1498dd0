#!/usr/bin/env bash
# Builds Tarkel and starts the editor on FILE, or on a sound it generates when none is given.
# On a machine without a display the editor runs on a private X server instead: the script
# saves a picture of the main window with the file open, says where it is, and exits.
# Usage: scripts/run.sh [FILE]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target tarkel tarkel-cli
editor="$PWD/build/release/src/app/tarkel"
cli="$PWD/build/release/src/cli/tarkel-cli"

if [ $# -gt 0 ]; then
  file="$1"
else
  file="${TMPDIR:-/tmp}/tarkel-demo.wav"
  echo "No file given: making $file (3 seconds of 16-bit stereo at 44100 Hz)"
  "$cli" --new 1,2,44100,16,132300 --effect synth:40,0,0,44000 --select 44100:88199 \
    --effect fade:100,0 -o "$file"
fi
[ -r "$file" ] || { echo "run.sh: cannot read $file" >&2; exit 2; }

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$editor" "$file"
fi

shot="${TMPDIR:-/tmp}/tarkel-screenshot.png"
echo "No display: running the editor on a private X server"
xvfb-run -a -s "-screen 0 1600x1000x24 -noreset" bash -s "$editor" "$file" "$shot" <<'INNER'
set -euo pipefail
editor="$1"; file="$2"; shot="$3"
# Settings of this run only, so that the picture shows what a first start shows.
settings="$(mktemp -d)"
trap 'rm -rf "$settings"' EXIT
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$settings/config" XDG_RUNTIME_DIR="$settings/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$editor" "$file" &
pid=$!
name="$(basename "$file")"
wid=""
for _ in $(seq 1 100); do
  wid=$(xdotool search --onlyvisible --name "^Tarkel - " 2>/dev/null | head -1 || true)
  [ -n "$wid" ] && break
  kill -0 "$pid" 2>/dev/null || { echo "run.sh: the editor ended (could it read $file?)" >&2; exit 1; }
  sleep 0.1
done
[ -n "$wid" ] || { echo "run.sh: no editor window appeared" >&2; kill "$pid"; exit 1; }
# Time for the monitor windows beside it to paint too.
sleep 2.5
# The whole screen: the monitor windows stand over the main window, and a grab of the main
# window alone shows them black.
import -window root "$shot"
echo "Main window with $name: $(xdotool getwindowname "$wid")"
xdotool windowfocus --sync "$wid" key alt+F4 || true
for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill "$pid" 2>/dev/null || true
INNER
echo "Screenshot: $shot"
