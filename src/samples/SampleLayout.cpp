#include "samples/SampleLayout.h"

#include "sound/WaveAudio.h"

namespace tarkel {

uint32_t SampleWidth(const WaveAudio& wave) { return wave.BitsPerSample() == 16 ? 2u : 1u; }

uint32_t ChannelOffset(const WaveAudio& wave, ChannelMode mode) {
  return mode == ChannelMode::Right ? SampleWidth(wave) : 0u;
}

SampleLayout LayoutOf(const WaveAudio& wave, ChannelMode mode) {
  const bool sixteen = wave.BitsPerSample() == 16;
  if (IsSingleChannel(mode)) return sixteen ? SampleLayout::Channel16 : SampleLayout::Channel8;
  return sixteen ? SampleLayout::Stream16 : SampleLayout::Stream8;
}

SampleRegion RegionOf(const WaveAudio& wave, uint8_t* frameStart, uint32_t bytes, ChannelMode mode) {
  return {frameStart, bytes, LayoutOf(wave, mode), ChannelOffset(wave, mode)};
}

SampleRegion MonoRegion(uint8_t* data, uint32_t bytes, bool sixteen) {
  return {data, bytes, sixteen ? SampleLayout::Stream16 : SampleLayout::Stream8, 0};
}

}  // namespace tarkel
