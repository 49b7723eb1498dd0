// Half-wave filters: the stretches between two crossings of the centre line are classified by
// their length and scaled about the centre. High pass (3) and low pass (4) halve, the boosts (7,
// 8) multiply by 1.5. Band pass (5) is split by the driver into 3 and then 4.
#include <algorithm>

#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"
#include "effects/RunEffect.h"
#include "samples/SampleMath.h"

namespace tarkel {
namespace {

// Which side of the centre line a sample lies on (8-bit: up to 127 / from 128; 16-bit: up to
// 0 / above 0).
inline bool Above(uint8_t b) { return b >= 128; }
inline bool Above(int16_t s) { return s > 0; }

inline uint8_t Halve(uint8_t b) {
  if (b == 0 || b == 127 || b == 128 || b == 255) return b;
  return b >= 128 ? uint8_t(b + (128 - b) / 2) : uint8_t(b + (127 - b) / 2);
}
inline int16_t Halve(int16_t s) {
  if (s == 0 || s == 32767 || s == -32768) return s;
  return int16_t(s - s / 2);
}
inline uint8_t Boost(uint8_t b) {
  if (b == 0 || b == 127 || b == 128 || b == 255) return b;
  return b >= 128 ? Clamp8(b + (b - 128) / 2) : Clamp8(b + (b - 127) / 2);
}
inline int16_t Boost(int16_t s) {
  if (s == 0 || s == 32767 || s == -32768) return s;
  return int16_t(Clamp16(int32_t(s) + s / 2));
}

enum class Scaling { Halve, Boost };

// A half-wave of h samples is processed when Long ? h >= factor * N : h <= factor * N.
template <bool Long, int Factor, Scaling How>
struct HalfWaveKernel {
  template <class L>
  static bool Run(EffectRun& run) {
    const Walk<L> w = ForwardWalk<L>(run);
    const int64_t limit = int64_t(Factor) * run.params.param1;
    bool started = false;     // a first crossing has been seen
    uint64_t previous = 0;    // index of the previous crossing
    return run.wave.ForEachProgressChunk(w.count, [&](uint64_t off, uint64_t n) {
      for (uint64_t i = std::max<uint64_t>(off, 1); i < off + n; ++i) {
        if (Above(w[i]) == Above(w[i - 1])) continue;
        if (started) {
          // The half-wave that just ended: from after the previous crossing up to this sample.
          const int64_t h = int64_t(i - previous);
          if (Long ? h >= limit : h <= limit)
            for (uint64_t k = previous + 1; k <= i; ++k) w[k] = How == Scaling::Halve ? Halve(w[k]) : Boost(w[k]);
        }
        started = true;
        previous = i;
      }
    });
  }
};

constexpr uint8_t kAllBranches = kBranchStream | kBranchChannel8 | kBranchChannel16;

template <class K>
EffectEntry HalfWaveEntry(uint32_t id, const char* name, const char* alias = nullptr) {
  EffectEntry e{id, name, &ApplyEffect, kAllBranches, {}, alias};
  SetAllKernels<K>(e);
  return e;
}

}  // namespace

EffectEntry HighPassEntry() {
  return HalfWaveEntry<HalfWaveKernel<true, 2, Scaling::Halve>>(effect::kHighPass, "highpass");
}
EffectEntry LowPassEntry() {
  return HalfWaveEntry<HalfWaveKernel<false, 3, Scaling::Halve>>(effect::kLowPass, "lowpass");
}
EffectEntry BoostLongEntry() {
  return HalfWaveEntry<HalfWaveKernel<true, 1, Scaling::Boost>>(effect::kBoostLong, "boostlong", "boost-long");
}
EffectEntry BoostShortEntry() {
  return HalfWaveEntry<HalfWaveKernel<false, 3, Scaling::Boost>>(effect::kBoostShort, "boostshort", "boost-short");
}
// Split by the driver; the engine's branches have their own text for it.
namespace {

// Band pass: high pass, then low pass over the same range.
bool RunBandPass(DocWaveAudio& wave, ChannelMode mode, uint8_t* base, uint32_t frames, EffectParams& p,
                 const PassPlan&) {
  const uint32_t bytes = frames * wave.BlockAlign();
  p.effectId = effect::kHighPass;
  if (RunEffect(wave, mode, bytes, p, base, base) == 0) return false;
  p.effectId = effect::kLowPass;
  return RunEffect(wave, mode, bytes, p, base, base) != 0;
}

}  // namespace

EffectEntry BandPassEntry() {
  EffectEntry e{effect::kBandPass, "bandpass", &ApplyEffect, 0, {}};
  e.passes.run = &RunBandPass;
  return e;
}

}  // namespace tarkel
