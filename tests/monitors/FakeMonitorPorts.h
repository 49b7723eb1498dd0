#pragma once
// Stand-ins for the audio engine the monitor windows read: a sound that "plays" at a frame the
// test sets, and an output device's volume words that record what was set.
#include <cmath>
#include <cstring>
#include <vector>

#include "monitors/MonitorSource.h"
#include "sound/DocWaveAudio.h"

namespace tarkel::test {

class FakeSource final : public MonitorSource {
 public:
  const WaveAudio* TransportSound() const override { return playing ? &sound : nullptr; }
  uint32_t TransportFrame() const override { return frame; }

  // A 16-bit sound of `channels` holding `samples` (interleaved).
  void Load(uint16_t channels, uint32_t rate, const std::vector<int16_t>& samples) {
    sound.Format() = WaveFormat::Pcm(channels, rate, 16);
    sound.RefreshPcmCopy();
    uint8_t* data = sound.AllocateData(static_cast<uint32_t>(samples.size() * 2));
    if (data) std::memcpy(data, samples.data(), samples.size() * 2);
    playing = true;
  }

  DocWaveAudio sound;
  bool playing = false;
  uint32_t frame = 0;
};

class FakeVolume final : public OutputVolume {
 public:
  uint16_t LeftVolume() const override { return left; }
  uint16_t RightVolume() const override { return right; }
  void SetLeftVolume(uint16_t volume) override {
    left = volume;
    ++leftSets;
  }
  void SetRightVolume(uint16_t volume) override {
    right = volume;
    ++rightSets;
  }

  uint16_t left = 0x8000;
  uint16_t right = 0x4000;
  int leftSets = 0, rightSets = 0;
};

// Something to look at: a stereo mix of a few tones whose loudness swells and falls.
inline std::vector<int16_t> MusicLike(uint32_t rate, uint32_t frames) {
  std::vector<int16_t> samples(frames * 2);
  constexpr double kTwoPi = 6.283185307179586;
  for (uint32_t n = 0; n < frames; ++n) {
    const double t = static_cast<double>(n) / rate;
    const double swell = 0.35 + 0.3 * std::sin(kTwoPi * 0.25 * t);
    const double left = swell * (0.6 * std::sin(kTwoPi * 220 * t) + 0.25 * std::sin(kTwoPi * 1320 * t) +
                                 0.1 * std::sin(kTwoPi * 4400 * t));
    const double right = swell * (0.5 * std::sin(kTwoPi * 330 * t + 1) + 0.3 * std::sin(kTwoPi * 2640 * t));
    samples[2 * n] = static_cast<int16_t>(std::lround(left * 32000));
    samples[2 * n + 1] = static_cast<int16_t>(std::lround(right * 32000));
  }
  return samples;
}

}  // namespace tarkel::test
