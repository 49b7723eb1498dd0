#pragma once
// A read-only look at a sound's interleaved sample values, taken at the start of a paint or a
// click (the sample memory may move after every edit, so it is never kept longer).
#include <cstdint>

namespace tarkel {

class WaveAudio;

struct SampleSpan {
  const uint8_t* data = nullptr;
  uint16_t bits = 16;
  uint16_t channels = 1;
  uint32_t frames = 0;

  static SampleSpan Of(const WaveAudio& sound);

  uint64_t ValueCount() const { return uint64_t(frames) * channels; }
  // The raw value at interleaved index i: signed for 16 bits, the unsigned byte for 8 bits.
  int32_t Raw(uint64_t i) const {
    if (bits == 8) return data[i];
    return int16_t(uint16_t(data[2 * i]) | uint16_t(data[2 * i + 1]) << 8);
  }
  // The value about zero: 8-bit bytes less 128.
  int32_t Centered(uint64_t i) const { return bits == 8 ? int32_t(data[i]) - 128 : Raw(i); }
};

}  // namespace tarkel
