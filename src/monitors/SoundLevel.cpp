#include "monitors/SoundLevel.h"

#include <cmath>
#include <cstdlib>

#include "sound/WaveAudio.h"

namespace tarkel {
namespace {

// Magnitude of sample `index`: |v| for 16-bit samples, |b - 128| for 8-bit ones.
int Magnitude(const SampleBlock& sound, uint64_t index) { return std::abs(CentredSample(sound, index)); }

}  // namespace

std::optional<float> SoundLevelAt(const SampleBlock& sound, uint32_t frame) {
  const uint64_t samples = sound.SampleCount();
  if (samples == 0) return std::nullopt;
  const uint64_t start = (static_cast<uint64_t>(frame) + sound.rate / kLevelLeadDivisor) * sound.channels;
  if (start >= samples) return std::nullopt;
  int64_t sum = 0;
  for (int k = 0; k < kLevelSteps; ++k) {
    const uint64_t index = start + 2 * static_cast<uint64_t>(k);
    // Near the end of the sound the steps stop at its last sample.
    if (index + 2 >= samples) break;
    sum += std::abs(Magnitude(sound, index) - Magnitude(sound, index + 2));
  }
  const int64_t scaled = sound.bitsPerSample == 8 ? sum / 2 - 2 : sum / 304;
  // The logarithm of 0 or of a negative number (silence, quiet 8-bit sound) is the bottom.
  if (scaled < 1) return kLevelFloor;
  return static_cast<float>(std::log(static_cast<double>(scaled)));
}

std::optional<float> SoundLevelAt(const WaveAudio& sound, uint32_t frame) {
  return SoundLevelAt(SampleBlockOf(sound), frame);
}

}  // namespace tarkel
