#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target, starting from the seeds that fuzz_seeds
# writes and the committed regression corpus (fuzz/corpus/<target>/).
#   scripts/run-fuzzers.sh [SECONDS_PER_TARGET [TARGET...]]   each target (or the ones named)
#                                                             for a time (default 60 s)
#   scripts/run-fuzzers.sh --runs N [TARGET...]               each for N inputs
# Fails on the first finding; the input that caused it is left in build/fuzz/findings/.
# New inputs found on the way go to build/fuzz/work/<target>/ (copy the interesting ones into
# fuzz/corpus/<target>/ to keep them as regression cases).
set -euo pipefail

targets=(riff_wave voc open_sound clipboard_image presets cue effects)
if [[ "${1:-}" == "--runs" ]]; then
  limit=(-runs="${2:?--runs needs a count}")
  shift 2
else
  limit=(-max_total_time="${1:-60}")
  shift $(($# > 0))
fi
[[ $# -gt 0 ]] && targets=("$@")
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/fuzz"
cd "$root"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 --target "${targets[@]/#/fuzz_}" fuzz_seeds

rm -rf "$build/seeds"
"$build/fuzz/fuzz_seeds" "$build/seeds"
mkdir -p "$build/findings"

status=0
for target in "${targets[@]}"; do
  work="$build/work/$target"
  mkdir -p "$work" "$build/seeds/$target"
  echo "== fuzz_$target: ${limit[*]}"
  started=$SECONDS
  # -rss_limit_mb and the malloc limit make a huge allocation a finding; -timeout a hang (wall
  # time: FUZZ_TIMEOUT raises it on a machine busy with other work).
  if ! "$build/fuzz/fuzz_$target" "${limit[@]}" -timeout="${FUZZ_TIMEOUT:-10}" -rss_limit_mb=2048 \
      -malloc_limit_mb=512 -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
      "$work" "$root/fuzz/corpus/$target" "$build/seeds/$target"; then
    echo "fuzz_$target: finding, see $build/findings/" >&2
    status=1
    break
  fi
  echo "== fuzz_$target: done in $((SECONDS - started)) s"
done
exit "$status"
