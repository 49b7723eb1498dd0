#include "monitors/SampleBlock.h"

#include "sound/WaveAudio.h"

namespace tarkel {

SampleBlock SampleBlockOf(const WaveAudio& sound) {
  SampleBlock block;
  const uint16_t bits = sound.BitsPerSample();
  if (!sound.HasData() || (bits != 8 && bits != 16) || sound.Channels() == 0) return block;
  block.data = sound.Data();
  block.bytes = sound.DataSize();
  block.bitsPerSample = bits;
  block.channels = sound.Channels();
  block.rate = sound.Rate();
  block.frames = sound.Frames();
  return block;
}

}  // namespace tarkel
