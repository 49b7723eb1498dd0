// Fade (13) and volume change (20): the level ramp over the engine call's walk. The volume change
// is a ramp whose end level is its start level. Like the engine of old, the kernel leaves the
// ramp's direction in the record (11 rising, 12 falling).
#include <algorithm>

#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"
#include "samples/LevelRamp.h"

namespace tarkel {
namespace {

struct LevelRampKernel {
  template <class L>
  static bool Run(EffectRun& run) {
    EffectParams& p = run.params;
    const Walk<L> w = ForwardWalk<L>(run);
    if (p.effectId == effect::kAmplitude) p.param2 = p.param1;
    // The direction as the ramp works it out: falling when the end unit lies below the start.
    const int64_t total = int64_t(w.count);
    const int64_t m = total * std::max(p.param1, 0) / 100;
    const int64_t e = p.param2 <= 0 ? 0 : total * p.param2 / 100;
    p.effectId = e < m ? effect::kRampFalling : effect::kRampRising;
    return RampLevel(run.wave, w, p.param1, p.param2);
  }
};

constexpr uint8_t kRampBranches = kBranchStream | kBranchChannel8 | kBranchChannel16;

}  // namespace

EffectEntry FadeEntry() {
  EffectEntry e{effect::kFade, "fade", &ApplyEffect, kRampBranches, {}};
  SetAllKernels<LevelRampKernel>(e);
  return e;
}

EffectEntry AmplitudeEntry() {
  EffectEntry e{effect::kAmplitude, "volume", &ApplyEffect, kRampBranches, {}, "amplitude"};
  SetAllKernels<LevelRampKernel>(e);
  return e;
}

}  // namespace tarkel
