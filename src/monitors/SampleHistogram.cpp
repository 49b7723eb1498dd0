#include "monitors/SampleHistogram.h"

#include <algorithm>
#include <cmath>

namespace tarkel {

uint64_t SampleHistogram::Largest() const {
  uint64_t largest = 0;
  for (int c = 0; c < channels; ++c)
    largest = std::max(largest, *std::max_element(channel[c].counts.begin(), channel[c].counts.end()));
  return largest;
}

int HistogramClass(const SampleBlock& sound, int centredValue) {
  return sound.bitsPerSample == 8 ? centredValue + 128 : (centredValue + 32768) >> 8;
}

SampleHistogram ComputeHistogram(const SampleBlock& sound, uint64_t first, uint64_t last, ChannelMode mode) {
  SampleHistogram result;
  const uint64_t frames = sound.FrameCount();
  if (frames == 0 || first >= frames) return result;
  last = std::min(last, frames - 1);
  if (last < first) return result;
  const bool stereo = sound.channels >= 2;
  result.firstChannel = stereo && mode == ChannelMode::Right ? 1 : 0;
  result.channels = stereo && mode == ChannelMode::Both ? 2 : 1;
  const int lowestValue = sound.bitsPerSample == 8 ? -128 : -32768;
  const int highestValue = sound.bitsPerSample == 8 ? 127 : 32767;
  for (int c = 0; c < result.channels; ++c) {
    ChannelHistogram& h = result.channel[c];
    const uint16_t source = static_cast<uint16_t>(result.firstChannel + c);
    h.lowest = highestValue;
    h.highest = lowestValue;
    double squares = 0.0;
    for (uint64_t frame = first; frame <= last; ++frame) {
      const int value = CentredSample(sound, frame * sound.channels + source);
      ++h.counts[HistogramClass(sound, value)];
      h.lowest = std::min(h.lowest, value);
      h.highest = std::max(h.highest, value);
      if (value == lowestValue || value == highestValue) ++h.atFullScale;
      squares += static_cast<double>(value) * value;
    }
    h.samples = last - first + 1;
    h.rms = std::sqrt(squares / h.samples) / sound.FullScale();
  }
  return result;
}

}  // namespace tarkel
