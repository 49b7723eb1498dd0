// Noise gate (6): a run of more than 127 quiet samples that a loud sample ends is set to
// silence. Quiet means within p1 of the centre (8-bit: byte steps; 16-bit: p1 x 128). A quiet
// run at the end of the walk that no loud sample ends is left as it is.
#include <algorithm>

#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"

namespace tarkel {
namespace {

constexpr uint64_t kMinimumQuietRun = 128;

struct NoiseGateKernel {
  template <class L>
  static bool Run(EffectRun& run) {
    const Walk<L> w = ForwardWalk<L>(run);
    const int64_t threshold = std::max<int64_t>(run.params.param1, 0);
    int64_t low, high;  // loud: below low or above high
    typename L::Sample silence;
    if constexpr (L::kSixteen) {
      low = -threshold * 128;
      high = threshold * 128;
      silence = 0;
    } else {
      low = 128 - threshold;
      high = 128 + threshold;
      silence = 127;
    }
    uint64_t quietStart = 0;  // first sample after the previous loud one
    return run.wave.ForEachProgressChunk(w.count, [&](uint64_t off, uint64_t n) {
      for (uint64_t i = off; i < off + n; ++i) {
        const int64_t v = w[i];
        if (v >= low && v <= high) continue;
        if (i - quietStart >= kMinimumQuietRun)
          for (uint64_t k = quietStart; k < i; ++k) w[k] = silence;
        quietStart = i + 1;
      }
    });
  }
};

}  // namespace

EffectEntry NoiseGateEntry() {
  EffectEntry e{effect::kNoiseGate, "noisegate", &ApplyEffect, kBranchStream | kBranchChannel8 | kBranchChannel16, {}};
  SetAllKernels<NoiseGateKernel>(e);
  return e;
}

}  // namespace tarkel
