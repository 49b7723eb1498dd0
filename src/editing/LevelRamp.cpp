#include "editing/LevelRamp.h"

#include <algorithm>
#include <cstdlib>

#include "document/DocWaveAudio.h"
#include "editing/SampleAccess.h"

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
  return w;
}

SampleWalk MonoWalk(uint8_t* data, uint32_t bytes, bool sixteen) {
  SampleWalk w;
  w.first = data;
  w.sixteen = sixteen;
  w.stride = sixteen ? 2 : 1;
  w.count = bytes / w.stride;
  return w;
}

uint32_t PeakOf(const SampleWalk& walk) {
  uint32_t peak = 0;
  const uint8_t* p = walk.first;
  for (uint32_t i = 0; i < walk.count; ++i, p += walk.stride)
    peak = std::max(peak, walk.sixteen ? Level16(Load16(p)) : Level8(*p));
  return peak;
}

int32_t CompensationLevel(uint32_t peakBefore, uint32_t peakAfter) {
  if (peakBefore == peakAfter) return 100;
  return int32_t(uint64_t(peakBefore) * 100 / (peakAfter ? peakAfter : 1));
}

namespace {

uint8_t Scale8(uint8_t b, int64_t m, int64_t L) {
  if (b >= 128) {
    const int64_t v = m * (b - 128) / L;
    return v >= 128 ? uint8_t(255) : uint8_t(128 + v);
  }
  const int64_t v = std::min<int64_t>((127 - b) * m / L, 127);
  return uint8_t(127 - v);
}

int16_t Scale16(int16_t s, int64_t m, int64_t L) {
  float v = float(s) * float(m) / float(L);
  v = std::clamp(v, -32768.0f, 32767.0f);
  return int16_t(v);
}

}  // namespace

bool ApplyFade(DocWaveAudio& wave, const SampleWalk& walk, int32_t startPercent, int32_t endPercent) {
  const int64_t L = walk.count;
  if (L == 0) return true;
  int64_t m = L * startPercent / 100;
  const int64_t e = endPercent == 0 ? 0 : L * endPercent / 100;
  const int64_t d = std::llabs(m - e);
  int64_t u = 1;
  if (d > 1) {
    u = L / d;
    if (u == 1 && L % d != 0) ++u;
  }
  const int64_t direction = e < m ? -1 : 1;
  int64_t counter = 0;
  return wave.ForEachProgressChunk(uint64_t(L), [&](uint64_t first, uint64_t n) {
    uint8_t* p = walk.first + first * walk.stride;
    for (uint64_t i = 0; i < n; ++i, p += walk.stride) {
      if (walk.sixteen)
        Store16(p, Scale16(Load16(p), m, L));
      else
        *p = Scale8(*p, m, L);
      if (counter == u && m != e) {
        m += direction;
        counter = 0;
      }
      ++counter;
    }
  });
}

bool ApplyLevel(DocWaveAudio& wave, const SampleWalk& walk, int32_t percent) {
  return ApplyFade(wave, walk, percent, percent);
}

bool CompensateLevel(DocWaveAudio& wave, const SampleWalk& walk, uint32_t peakBefore) {
  const int32_t level = CompensationLevel(peakBefore, PeakOf(walk));
  return level == 100 || ApplyLevel(wave, walk, level);
}

}  // namespace tarkel
