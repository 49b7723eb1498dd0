#include "effects/LevelCompensation.h"

#include <algorithm>

#include "sound/DocWaveAudio.h"
#include "effects/EffectIds.h"
#include "effects/RunEffect.h"
#include "effects/SampleMath.h"

namespace tarkel {
namespace {

template <class T>
uint32_t PeakOver(const uint8_t* base, uint64_t count, unsigned stride) {
  const T* p = reinterpret_cast<const T*>(base);
  uint32_t peak = 0;
  for (uint64_t i = 0; i < count; ++i) peak = std::max(peak, PeakOf(p[i * stride]));
  return peak;
}

}  // namespace

uint32_t MeasurePeak(const DocWaveAudio& wave, ChannelMode mode, const uint8_t* base, uint32_t frames) {
  const bool sixteen = wave.BitsPerSample() == 16;
  const unsigned sampleBytes = sixteen ? 2 : 1;
  uint64_t count = uint64_t(frames) * wave.Channels();
  unsigned stride = 1;
  if (IsSingleChannel(mode)) {
    count = frames;
    stride = wave.Channels();
    if (mode == ChannelMode::Right) base += sampleBytes;
  }
  return sixteen ? PeakOver<int16_t>(base, count, stride) : PeakOver<uint8_t>(base, count, stride);
}

int32_t CompensationLevel(uint32_t before, uint32_t after) {
  if (before == after) return 100;
  return int32_t(uint64_t(before) * 100 / (after == 0 ? 1 : after));
}

bool CompensateLevel(DocWaveAudio& wave, ChannelMode mode, uint8_t* base, uint32_t frames, uint32_t peakBefore) {
  const int32_t level = CompensationLevel(peakBefore, MeasurePeak(wave, mode, base, frames));
  if (level == 100) return true;
  EffectParams amplitude(effect::kAmplitude, level);
  return RunEffect(wave, mode, wave.FramesToBytes(frames), amplitude, base, base) != 0;
}

}  // namespace tarkel
