#!/usr/bin/env bash
# End-to-end effects throughput: tarkel-cli against sox doing the nearest same work (read the
# file, process every sample, write the result) on one 16-bit stereo file of at least 256 MiB.
# tarkel-cli flushes what it saves to the disk before it ends, so sox's output is flushed too
# (sox, then sync of its output), and both are set against dd copying the file, then sync: the
# least any program that reads and writes the file can take.
#
#   bench/effects_vs_sox.sh [path/to/tarkel-cli] [work-dir]
#
# TARKEL_CLI may name the program instead; by default the first tarkel-cli found under build*/
# is used. The three programs run in turn, ROUNDS rounds (default 3); each time is the best of
# its rounds. Prints one line per effect: the three times, sox's time divided by tarkel's (the
# throughput ratio, goal >= 1) and tarkel's time divided by dd's (goal <= 1.5).
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
cli="${1:-${TARKEL_CLI:-}}"
if [[ -z "$cli" ]]; then
  cli="$(find "$here"/build* -type f -name tarkel-cli -perm -u+x 2>/dev/null | head -n1 || true)"
fi
if [[ -z "$cli" || ! -x "$cli" ]]; then
  echo "tarkel-cli not found: build it (Release) or pass its path" >&2
  exit 2
fi
work="${2:-${TMPDIR:-/tmp}/tarkel-effects-bench}"
mkdir -p "$work"
in="$work/in.wav"
seconds=1530  # 1530 s x 44,100 x 4 bytes = 258 MiB

if [[ ! -s "$in" ]]; then
  echo "making $in ($seconds s of 16-bit stereo noise)" >&2
  sox -q -n -r 44100 -c 2 -b 16 "$in" synth "$seconds" whitenoise vol 0.4
fi
ls -l "$in" >&2

now() { date +%s.%N; }
rounds="${ROUNDS:-${RUNS:-3}}"
elapsed() {  # seconds the command takes
  local t0 t1
  t0=$(now)
  "$@" >/dev/null 2>&1
  t1=$(now)
  echo "$t1 - $t0" | bc -l
}
min() { if [[ -z "$1" ]] || (($(echo "$2 < $1" | bc -l))); then echo "$2"; else echo "$1"; fi; }

# name | tarkel effect | sox effect
cases=(
  "volume|volume:50|vol 0.5"
  "fade|fade:100,0|fade t 0 -0 $seconds"
  "reverse|reverse|reverse"
  "normalize|normalize|norm"
  "echo|echo:1,100|echo 1 0.585 100 1"
)

sox_synced() { local out="$1"; shift; sox -q "$in" "$out" "$@" && sync "$out"; }
dd_synced() { dd if="$in" of="$1" bs=4M status=none && sync "$1"; }

# Warm the page cache once.
cat "$in" >/dev/null

printf '%-10s %9s %9s %9s %10s %10s\n' effect tarkel_s sox_s dd_s sox/tarkel tarkel/dd
for c in "${cases[@]}"; do
  IFS='|' read -r name tfx sfx <<<"$c"
  out="$work/out-$name.wav"
  ts="" ss="" ds=""
  for ((r = 0; r < rounds; r++)); do
    ts=$(min "$ts" "$(elapsed "$cli" "$in" --effect "$tfx" -o "$out")")
    [[ -s "$out" ]] || { echo "tarkel-cli wrote no $out" >&2; exit 1; }
    rm -f "$out"
    # shellcheck disable=SC2086
    ss=$(min "$ss" "$(elapsed sox_synced "$out" $sfx)")
    rm -f "$out"
    ds=$(min "$ds" "$(elapsed dd_synced "$out")")
    rm -f "$out"
  done
  printf '%-10s %9.2f %9.2f %9.2f %10.2f %10.2f\n' "$name" "$ts" "$ss" "$ds" "$(echo "$ss / $ts" | bc -l)" \
    "$(echo "$ts / $ds" | bc -l)"
done
