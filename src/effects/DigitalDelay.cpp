// Digital delay (22), the pseudo-stereo effect: one channel becomes itself delayed by a number
// of frames, written backwards from the last frame so that every source is read before it is
// overwritten. The driver delays the left channel by 2m and the right one by m frames.
#include <algorithm>

#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"
#include "effects/RunEffect.h"

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

// Each channel delayed by its own number of frames, written backwards: the left channel by 2m,
// the right one by m when both are chosen.
bool RunDigitalDelay(DocWaveAudio& wave, ChannelMode mode, uint8_t* base, uint32_t frames, EffectParams& p,
                     const PassPlan&) {
  const int64_t m = std::max<int64_t>(int64_t(wave.Rate()) * p.param1 / 1000, 0);
  const uint32_t align = wave.BlockAlign();
  uint8_t* target = base + uint64_t(frames - 1) * align;
  auto delayChannel = [&](ChannelMode channel, int64_t by) {
    const uint32_t bytes = uint32_t((frames - by) * align);
    return RunEffect(wave, channel, bytes, p, target - by * align, target) != 0;
  };
  const int64_t longest = mode == ChannelMode::Both ? 2 * m : m;
  if (longest >= int64_t(frames)) {
    ShowMessage(msg::kSelectionTooSmall);
    return false;
  }
  if (mode == ChannelMode::Both) return delayChannel(ChannelMode::Left, 2 * m) && delayChannel(ChannelMode::Right, m);
  return delayChannel(mode, m);
}

}  // namespace

EffectEntry DigitalDelayEntry() {
  EffectEntry e{effect::kDigitalDelay, "digidelay", &ApplyEffect, kBranchChannel8 | kBranchChannel16, {}, "delay"};
  e.passes.run = &RunDigitalDelay;
  e.kernels[int(SampleLayout::Channel8)] = &DigitalDelayKernel::Run<Channel8>;
  e.kernels[int(SampleLayout::Channel16)] = &DigitalDelayKernel::Run<Channel16>;
  return e;
}

}  // namespace tarkel
