#!/usr/bin/env bash
# Builds Tarkel and runs the command-line front end on FILE, or on a sound it generates when
# none is given. Usage: scripts/run.sh [FILE] [tarkel-cli options...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target tarkel-cli
cli=build/release/src/cli/tarkel-cli
if [ $# -gt 0 ]; then
  exec "$cli" "$@" --info
fi
demo="${TMPDIR:-/tmp}/tarkel-demo.wav"
echo "No file given: making $demo (3 seconds of 16-bit stereo at 44100 Hz)"
"$cli" --new 1,2,44100,16,132300 -o "$demo"
exec "$cli" "$demo" --info
