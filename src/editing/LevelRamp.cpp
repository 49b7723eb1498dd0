#include "editing/LevelRamp.h"

#include <algorithm>
#include <cstdlib>

#include "sound/DocWaveAudio.h"
#include "editing/SampleAccess.h"
#include "effects/EffectIds.h"
#include "effects/LevelCompensation.h"
#include "effects/RunEffect.h"

namespace tarkel {

SampleWalk WalkOver(const WaveAudio& wave, uint8_t* rangeStart, uint32_t bytes, ChannelMode mode) {
  SampleWalk w;
  w.sixteen = wave.BitsPerSample() == 16;
  const uint32_t width = w.sixteen ? 2 : 1;
  if (IsSingleChannel(mode)) {
    w.first = rangeStart + (mode == ChannelMode::Right ? width : 0);
    w.stride = 2 * width;
  } else {
    w.first = rangeStart;
    w.stride = width;
  }
  w.count = bytes / w.stride;
  w.base = rangeStart;
  w.bytes = bytes;
  w.mode = mode;
  return w;
}

SampleWalk MonoWalk(uint8_t* data, uint32_t bytes, bool sixteen) {
  SampleWalk w;
  w.first = data;
  w.sixteen = sixteen;
  w.stride = sixteen ? 2 : 1;
  w.count = bytes / w.stride;
  w.base = data;
  w.bytes = bytes;
  w.mode = ChannelMode::Mono;
  return w;
}

uint32_t PeakOf(const SampleWalk& walk) {
  uint32_t peak = 0;
  const uint8_t* p = walk.first;
  for (uint32_t i = 0; i < walk.count; ++i, p += walk.stride)
    peak = std::max(peak, walk.sixteen ? Level16(Load16(p)) : Level8(*p));
  return peak;
}

bool ApplyFade(DocWaveAudio& wave, const SampleWalk& walk, int32_t startPercent, int32_t endPercent) {
  if (walk.count == 0) return true;
  EffectParams fade(effect::kFade, startPercent, endPercent);
  return RunEffect(wave, walk.mode, walk.bytes, fade, walk.base, walk.base) != 0;
}

bool ApplyLevel(DocWaveAudio& wave, const SampleWalk& walk, int32_t percent) {
  if (walk.count == 0) return true;
  EffectParams amplitude(effect::kAmplitude, percent);
  return RunEffect(wave, walk.mode, walk.bytes, amplitude, walk.base, walk.base) != 0;
}

bool CompensateLevel(DocWaveAudio& wave, const SampleWalk& walk, uint32_t peakBefore) {
  const int32_t level = CompensationLevel(peakBefore, PeakOf(walk));
  return level == 100 || ApplyLevel(wave, walk, level);
}

}  // namespace tarkel
