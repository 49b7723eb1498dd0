#include "samples/LevelCompensation.h"

#include <algorithm>

#include "samples/LevelRamp.h"
#include "samples/SampleMath.h"

namespace tarkel {

uint32_t PeakOf(const SampleRegion& region) {
  return WithWalk(region, [](const auto& w) {
    uint32_t peak = 0;
    for (uint64_t i = 0; i < w.count; ++i) peak = std::max(peak, SampleLevel(w[i]));
    return peak;
  });
}

int32_t CompensationLevel(uint32_t before, uint32_t after) {
  if (before == after) return 100;
  return int32_t(uint64_t(before) * 100 / (after == 0 ? 1 : after));
}

bool CompensateLevel(DocWaveAudio& wave, const SampleRegion& region, uint32_t peakBefore) {
  const int32_t level = CompensationLevel(peakBefore, PeakOf(region));
  return level == 100 || RampLevel(wave, region, level, level);
}

}  // namespace tarkel
