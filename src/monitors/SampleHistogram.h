#pragma once
// The distribution of sample values over a range of a sound: 256 classes per channel (8-bit
// values one class each, 16-bit values grouped by their high byte), with the extremes, the RMS
// level and the count of samples at full scale.
#include <array>
#include <cstdint>

#include "monitors/SampleBlock.h"
#include "sound/ChannelMode.h"

namespace tarkel {

inline constexpr int kHistogramClasses = 256;

struct ChannelHistogram {
  std::array<uint64_t, kHistogramClasses> counts{};
  uint64_t samples = 0;
  int lowest = 0, highest = 0;  // centred sample values (8-bit -128 .. 127, 16-bit -32768 .. 32767)
  uint64_t atFullScale = 0;     // samples at the lowest or highest value the width allows
  double rms = 0.0;             // fraction of full scale
};

struct SampleHistogram {
  uint16_t channels = 0;   // channels counted: 1 or 2
  uint16_t firstChannel = 0;  // the channel channel[0] describes (1 for a right channel alone)
  std::array<ChannelHistogram, 2> channel;
  uint64_t Largest() const;  // the highest count of any class
};

// The class of a centred sample value.
int HistogramClass(const SampleBlock& sound, int centredValue);

// Histogram of frames `first` to `last` (inclusive, limited to the sound) of the channels `mode`
// names: one for Left, Right or Mono, both for Both.
SampleHistogram ComputeHistogram(const SampleBlock& sound, uint64_t first, uint64_t last, ChannelMode mode);

}  // namespace tarkel
