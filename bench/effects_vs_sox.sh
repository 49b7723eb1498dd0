#!/usr/bin/env bash
# End-to-end effects throughput: tarkel-cli against sox doing the nearest same work (read the
# file, process every sample, write the result) on one 16-bit stereo file of at least 256 MiB.
#
#   bench/effects_vs_sox.sh [path/to/tarkel-cli] [work-dir]
#
# TARKEL_CLI may name the program instead; by default the first tarkel-cli found under build*/
# is used. Prints one line per effect with both times (best of RUNS runs, default 3) and sox's
# time divided by tarkel's.
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
runs="${RUNS:-3}"
timed() {  # prints the best of $runs runs of the command, in seconds
  local best="" t0 t1 t i
  for ((i = 0; i < runs; i++)); do
    t0=$(now)
    "$@" >/dev/null 2>&1
    t1=$(now)
    t=$(echo "$t1 - $t0" | bc -l)
    if [[ -z "$best" ]] || (($(echo "$t < $best" | bc -l))); then best=$t; fi
  done
  echo "$best"
}

# name | tarkel effect | sox effect
cases=(
  "fade|fade:100,0|fade t 0 -0 $seconds"
  "amplitude|amplitude:50|vol 0.5"
  "reverse|reverse|reverse"
  "normalize|normalize|norm"
  "echo|echo:1,10|echo 1 0.585 10 1"
)

# Warm the page cache once.
cat "$in" >/dev/null

printf '%-10s %10s %10s %8s\n' effect tarkel_s sox_s ratio
for c in "${cases[@]}"; do
  IFS='|' read -r name tfx sfx <<<"$c"
  out="$work/out-$name.wav"
  # shellcheck disable=SC2086
  ts=$(timed "$cli" "$in" --effect "$tfx" -o "$out")
  [[ -s "$out" ]] || { echo "tarkel-cli wrote no $out" >&2; exit 1; }
  rm -f "$out"
  # shellcheck disable=SC2086
  ss=$(timed sox -q "$in" "$out" $sfx)
  rm -f "$out"
  printf '%-10s %10.2f %10.2f %8.2f\n' "$name" "$ts" "$ss" "$(echo "$ss / $ts" | bc -l)"
done
