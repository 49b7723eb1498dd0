#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target for a bounded time, starting from the seeds
# that fuzz_seeds writes and the committed regression corpus (fuzz/corpus/<target>/).
#   scripts/run-fuzzers.sh [SECONDS_PER_TARGET]   (default 60)
# Fails on the first finding; the input that caused it is left in build/fuzz/findings/.
# New inputs found on the way go to build/fuzz/work/<target>/ (copy the interesting ones into
# fuzz/corpus/<target>/ to keep them as regression cases).
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/fuzz"
cd "$root"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 --target fuzz_riff_wave fuzz_voc fuzz_open_sound fuzz_clipboard_image fuzz_presets fuzz_cue fuzz_seeds

rm -rf "$build/seeds"
"$build/fuzz/fuzz_seeds" "$build/seeds"
mkdir -p "$build/findings"

status=0
for target in riff_wave voc open_sound clipboard_image presets cue; do
  work="$build/work/$target"
  mkdir -p "$work"
  echo "== fuzz_$target for ${seconds}s"
  # -rss_limit_mb and the malloc limit make a huge allocation a finding; -timeout a hang.
  if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -malloc_limit_mb=512 -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
      "$work" "$root/fuzz/corpus/$target" "$build/seeds/$target"; then
    echo "fuzz_$target: finding, see $build/findings/" >&2
    status=1
    break
  fi
done
exit "$status"
