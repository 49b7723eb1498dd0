#pragma once
// A read-only view of a sound's interleaved 8- or 16-bit samples for the monitors, which read
// around the play position while the sound plays. Every read is bounded by the sample count.
#include <cstdint>

namespace tarkel {

class WaveAudio;

struct SampleBlock {
  const uint8_t* data = nullptr;
  uint64_t bytes = 0;
  uint16_t bitsPerSample = 16;  // 8 or 16
  uint16_t channels = 1;
  uint32_t rate = 0;
  uint64_t frames = 0;

  // Interleaved samples that both the frame count and the bytes hold.
  uint64_t SampleCount() const {
    if (!data || channels == 0) return 0;
    const uint64_t byFrames = frames * channels, byBytes = bytes / (bitsPerSample / 8);
    return byFrames < byBytes ? byFrames : byBytes;
  }
  uint64_t FrameCount() const { return channels ? SampleCount() / channels : 0; }
  // Full scale of a sample: 128 for 8 bits, 32768 for 16.
  double FullScale() const { return bitsPerSample == 8 ? 128.0 : 32768.0; }
};

// The sample block of a held sound (8 or 16 bits; empty for other widths).
SampleBlock SampleBlockOf(const WaveAudio& sound);

// Sample `index` (interleaved) around zero: v for 16-bit samples, b - 128 for 8-bit ones.
inline int CentredSample(const SampleBlock& block, uint64_t index) {
  if (block.bitsPerSample == 8) return static_cast<int>(block.data[index]) - 128;
  const uint8_t* p = block.data + index * 2;
  return static_cast<int16_t>(p[0] | (p[1] << 8));
}

// Sample `channel` of `frame` as a fraction of full scale (-1 .. below 1); 0 outside the sound.
inline double NormalizedSample(const SampleBlock& block, int64_t frame, uint16_t channel) {
  if (frame < 0 || static_cast<uint64_t>(frame) >= block.FrameCount() || channel >= block.channels) return 0.0;
  return CentredSample(block, static_cast<uint64_t>(frame) * block.channels + channel) / block.FullScale();
}

}  // namespace tarkel
