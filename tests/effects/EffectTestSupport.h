#pragma once
// Sounds and helpers shared by the effect tests.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "sound/DocWaveAudio.h"
#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectParams.h"
#include "support/Signals.h"
#include "support/TestPorts.h"

namespace tarkel::test {

inline void Fill16(WaveAudio& wave, uint16_t channels, uint32_t rate, const std::vector<int16_t>& samples) {
  std::vector<uint8_t> bytes(samples.size() * 2);
  if (!samples.empty()) std::memcpy(bytes.data(), samples.data(), bytes.size());
  Fill(wave, channels, rate, 16, bytes);
}

inline std::vector<int16_t> Constant16(size_t n, int16_t v) { return std::vector<int16_t>(n, v); }

// A 16-bit stereo staircase: left sample of frame i holds i, right holds 1000 + i.
inline std::vector<int16_t> StereoStaircase16(size_t frames) {
  std::vector<int16_t> v(frames * 2);
  for (size_t i = 0; i < frames; ++i) {
    v[2 * i] = int16_t(i);
    v[2 * i + 1] = int16_t(1000 + i);
  }
  return v;
}

class EffectTest : public ::testing::Test {
 protected:
  RecordingPorts ports;
  DocWaveAudio wave;

  uint32_t Apply(uint32_t id, int32_t p1 = 0, int32_t p2 = 0, int32_t p3 = 0, int32_t p4 = 0,
                 ChannelMode mode = ChannelMode::Mono, uint32_t first = 0, uint32_t last = UINT32_MAX) {
    EffectParams p(id, p1, p2, p3, p4);
    if (last == UINT32_MAX) last = wave.Frames() - 1;
    return ApplyEffect(wave, first, last, mode, p);
  }
};

}  // namespace tarkel::test
