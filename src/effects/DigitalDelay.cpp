// Digital delay (22), the pseudo-stereo effect: one channel becomes itself delayed by a number
// of frames, written backwards from the last frame so that every source is read before it is
// overwritten. The driver delays the left channel by 2m and the right one by m frames.
#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"

namespace tarkel {
namespace {

struct DigitalDelayKernel {
  template <class L>
  static bool Run(EffectRun& run) {
    const Walk<L> t = BackwardWalk<L>(run);
    const Walk<L> s = BackwardSourceWalk<L>(run);
    return run.wave.ForEachProgressChunk(t.count, [&](uint64_t off, uint64_t n) {
      const uint64_t hi = t.count - off;
      for (uint64_t i = hi; i-- > hi - n;) t[i] = s[i];
    });
  }
};

}  // namespace

EffectEntry DigitalDelayEntry() {
  EffectEntry e{effect::kDigitalDelay, "delay", &ApplyEffect, kBranchChannel8 | kBranchChannel16, {}};
  e.kernels[int(SampleLayout::Channel8)] = &DigitalDelayKernel::Run<Channel8>;
  e.kernels[int(SampleLayout::Channel16)] = &DigitalDelayKernel::Run<Channel16>;
  return e;
}

}  // namespace tarkel
