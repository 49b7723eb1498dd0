// Vibrato (15): an amplitude modulation whose level follows a trapezoid, N sub-steps per period
// of K samples of the walk. p1 = N, p2 = period in bytes (converted by the driver), p3 = low
// level M and p4 = high level H in percent.
#include <algorithm>

#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"
#include "effects/RunEffect.h"
#include "samples/SampleMath.h"

namespace tarkel {
namespace {

// Scales samples from..from+count by (level + j * delta) / divisor, j counting from 0.
template <class L>
void ScalePhase(const Walk<L>& w, uint64_t from, uint64_t count, int64_t level, int64_t delta, int64_t divisor) {
  for (uint64_t j = 0; j < count; ++j, level += delta) {
    auto& x = w[from + j];
    if constexpr (L::kSixteen) {
      x = LimitTo16(float(x) * float(level) / float(divisor));
    } else {
      // Unsigned arithmetic without limiting, as the 8-bit modulation always did.
      const uint32_t v = uint32_t(level), d = uint32_t(divisor);
      x = x >= 128 ? uint8_t(128u + (x - 128u) * v / d) : uint8_t(127u - (127u - x) * v / d);
    }
  }
}

struct Phase {
  bool on;
  int64_t samples;
  int64_t level;   // level at the phase's first sample
  int64_t delta;   // change per sample (ramps)
  bool ramp;
};

struct VibratoKernel {
  template <class L>
  static bool Run(EffectRun& run) {
    EffectParams& p = run.params;
    const Walk<L> w = ForwardWalk<L>(run);
    const int64_t n = p.param1 <= 0 ? 1 : p.param1;
    int64_t k = int64_t(p.param2) / L::kStepBytes;
    if (k <= 0) k = 1;
    const int64_t lowPercent = std::max(p.param3, 0), highPercent = std::max(p.param4, 0);
    const int64_t lo = lowPercent * k / 200 / n;
    const int64_t hi = highPercent * k / 200 / n;
    const bool rising = hi >= lo;
    p.effectId = rising ? effect::kRampRising : effect::kRampFalling;
    const int64_t half = k / 2;
    const int64_t holdDivisor = std::max<int64_t>(half, 1);
    const int64_t rampDivisor = std::max<int64_t>(half / n, 1);

    const Phase rise[] = {
        {lowPercent > 0 && lo > 0, lo, lo, 0, false},
        {lo < hi, hi - lo, lo, 1, true},
        {highPercent < 100, 2 * (half - hi), hi, 0, false},
        {lo < hi, hi - lo, hi, -1, true},
        {lowPercent > 0 && highPercent <= 100, 2 * lo, lo, 0, false},
    };
    const Phase fall[] = {
        {lowPercent < 100, half - lo, lo, 0, false},
        {true, lo - hi, lo, -1, true},
        {highPercent > 0, 2 * hi, hi, 0, false},
        {true, lo - hi, hi, 1, true},
        {lowPercent < 100, half - lo, lo, 0, false},
    };
    const Phase* phases = rising ? rise : fall;

    const uint64_t cycles = w.count / uint64_t(k) + 1;
    uint64_t pos = 0;
    for (uint64_t cycle = 0; cycle < cycles && pos < w.count; ++cycle) {
      for (int64_t sub = 0; sub < n && pos < w.count; ++sub) {
        const uint64_t subStart = pos;
        for (int ph = 0; ph < 5; ++ph) {
          const Phase& f = phases[ph];
          if (!f.on || f.samples <= 0) continue;
          const uint64_t len = std::min<uint64_t>(uint64_t(f.samples), w.count - pos);
          ScalePhase(w, pos, len, f.level, f.delta, f.ramp ? rampDivisor : holdDivisor);
          pos += len;
        }
        // Progress and cancel once per sub-step; a sub-step that covers nothing never will.
        if (!run.wave.ProgressAdvance(pos - subStart)) return false;
        if (pos == subStart) return true;
      }
    }
    return true;
  }
};

// The dialog gives the period in milliseconds; the engine takes it in bytes.
bool RunVibrato(DocWaveAudio& wave, ChannelMode mode, uint8_t* base, uint32_t frames, EffectParams& p,
                const PassPlan&) {
  const int64_t period = int64_t(wave.BlockAlign()) * (int64_t(wave.Rate()) * p.param2 / 1000);
  p.param2 = int32_t(std::clamp<int64_t>(period, INT32_MIN, INT32_MAX));
  return RunEffect(wave, mode, frames * wave.BlockAlign(), p, base, base) != 0;
}

}  // namespace

EffectEntry VibratoEntry() {
  EffectEntry e{effect::kVibrato, "vibrato", &ApplyEffect, kBranchStream | kBranchChannel8 | kBranchChannel16, {}};
  e.passes.run = &RunVibrato;
  SetAllKernels<VibratoKernel>(e);
  return e;
}

}  // namespace tarkel
