#include "view/ColumnPeak.h"

#include "sound/WaveAudio.h"

namespace tarkel {

SampleSpan SampleSpan::Of(const WaveAudio& sound) {
  return SampleSpan{sound.Data(), sound.BitsPerSample(), sound.Channels(), sound.Data() ? sound.Frames() : 0};
}

uint32_t ScanCountFor(uint32_t framesPerColumn, bool integratedDisplay) {
  const uint32_t n = integratedDisplay ? framesPerColumn / 10 : 2;
  return n ? n : 1;
}

int16_t ColumnPeak(const SampleSpan& sound, uint32_t frame, uint16_t channel, uint32_t scanCount) {
  uint64_t n = scanCount;
  if (uint64_t(frame) + n >= sound.frames) n = 0;
  uint64_t i = sound.channels > 1 ? uint64_t(frame) * 2 : frame;
  i += channel - 1;
  // Never read past the last value, whatever the channel count.
  const uint64_t count = sound.ValueCount();
  int32_t best = 0;
  int32_t bestMagnitude = 0;
  for (uint64_t offset = 0; offset < n && i + offset < count; offset += 2) {
    const int32_t v = sound.Centered(i + offset);
    const int32_t m = v < 0 ? -v : v;
    if (m > bestMagnitude) {
      bestMagnitude = m;
      best = v;
    }
  }
  if (sound.bits == 8) best *= 256;
  if (best > 32767) best = 32767;
  if (best < -32768) best = -32768;
  return int16_t(best);
}

}  // namespace tarkel
