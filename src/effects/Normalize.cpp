// Normalize (19): measures the walk's peak, then scales every sample by a gain derived from it.
#include <algorithm>
#include <cstdlib>

#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"

namespace tarkel {
namespace {

struct NormalizeKernel {
  template <class L>
  static bool Run(EffectRun& run) {
    const Walk<L> w = ForwardWalk<L>(run);
    DocWaveAudio& wave = run.wave;
    if constexpr (L::kSixteen) {
      // Peak: the largest absolute value (at least 1); gain 30,000 / peak + 1.
      int32_t peak = 1;
      if (!wave.ForEachProgressChunk(w.count, [&](uint64_t off, uint64_t n) {
            int32_t p = peak;
            for (uint64_t i = off; i < off + n; ++i) p = std::max(p, std::abs(int32_t(w[i])));
            peak = p;
          }))
        return false;
      const int32_t gain = 30000 / peak + 1;
      return wave.ForEachProgressChunk(w.count, [&](uint64_t off, uint64_t n) {
        for (uint64_t i = off; i < off + n; ++i) w[i] = int16_t(std::clamp(int32_t(w[i]) * gain, -32766, 32767));
      });
    } else {
      // Peak: the largest byte value (at least 1); factor 240 / peak. 0 and 255 stay.
      uint32_t peak = 1;
      if (!wave.ForEachProgressChunk(w.count, [&](uint64_t off, uint64_t n) {
            uint32_t p = peak;
            for (uint64_t i = off; i < off + n; ++i) p = std::max<uint32_t>(p, w[i]);
            peak = p;
          }))
        return false;
      const int32_t f = int32_t(240 / peak);
      return wave.ForEachProgressChunk(w.count, [&](uint64_t off, uint64_t n) {
        for (uint64_t i = off; i < off + n; ++i) {
          const int32_t b = w[i];
          if (b >= 128 && b < 255) w[i] = uint8_t(std::min(b + (b - 128) * f, 255));
          else if (b > 0 && b < 128) w[i] = uint8_t(std::max(b + (b - 127) * f, 0));
        }
      });
    }
  }
};

}  // namespace

EffectEntry NormalizeEntry() {
  EffectEntry e{effect::kNormalize, "normalize", &NormalizeRange, kBranchStream | kBranchChannel8 | kBranchChannel16, {}};
  SetAllKernels<NormalizeKernel>(e);
  return e;
}

}  // namespace tarkel
