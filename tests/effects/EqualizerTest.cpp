#include "effects/Equalizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "sound/DocWaveAudio.h"
#include "effects/EffectIds.h"
#include "effects/EffectParams.h"
#include "effects/SpectralDrivers.h"
#include "effects/SpectralFilter.h"
#include "support/Signals.h"
#include "support/TestPorts.h"

namespace tarkel {
namespace {

TEST(Equalizer, BandEndsBelongToTheLowerBand) {
  EXPECT_EQ(EqualizerBand(0), 0);
  EXPECT_EQ(EqualizerBand(750), 0);
  EXPECT_EQ(EqualizerBand(751), 1);
  EXPECT_EQ(EqualizerBand(1500), 1);
  EXPECT_EQ(EqualizerBand(1501), 2);
  EXPECT_EQ(EqualizerBand(2600), 2);
  EXPECT_EQ(EqualizerBand(2601), 3);
  EXPECT_EQ(EqualizerBand(5000), 3);
  EXPECT_EQ(EqualizerBand(5001), 4);
  EXPECT_EQ(EqualizerBand(22050), 4);
}

TEST(Equalizer, EachBinTakesTheGainOfItsWholeHertz) {
  const auto g = EqualizerGains(kEqualizerBlockLength, 44100, {0.1, 0.2, 0.3, 0.4, 0.5});
  ASSERT_EQ(g.size(), kEqualizerBlockLength / 2 + 1);
  EXPECT_DOUBLE_EQ(g[0], 0.1);
  EXPECT_DOUBLE_EQ(g[kEqualizerBlockLength / 2], 0.5);
  for (uint32_t k = 0; k <= kEqualizerBlockLength / 2; ++k) {
    const uint32_t hz = uint32_t(uint64_t(k) * 44100 / kEqualizerBlockLength);
    ASSERT_DOUBLE_EQ(g[k], 0.1 * (EqualizerBand(hz) + 1)) << k;
  }
}

}  // namespace
}  // namespace tarkel

// ---- The equalizer's driver over a document's sound ----------------------------------------

namespace tarkel {
namespace {

constexpr uint32_t kRate = 44100;
constexpr double kAmplitude = 10000.0;

double AmplitudeAt(const std::vector<int16_t>& x, size_t from, size_t to, double hertz) {
  double c = 0, s = 0, wsum = 0;
  const size_t n = to - from;
  for (size_t j = 0; j < n; ++j) {
    const double w = 0.5 - 0.5 * std::cos(2.0 * M_PI * j / n);
    const double a = 2.0 * M_PI * hertz * double(j) / kRate;
    c += w * x[from + j] * std::cos(a);
    s += w * x[from + j] * std::sin(a);
    wsum += w;
  }
  return 2.0 * std::hypot(c, s) / wsum;
}

// A 16-bit stereo sound of one second holding the same sine in both channels.
void FillStereoSine(DocWaveAudio& wave, double hertz) {
  const std::vector<int16_t> sine = test::Sine16(hertz, kRate, kRate, kAmplitude);
  std::vector<uint8_t> bytes(sine.size() * 4);
  for (size_t i = 0; i < sine.size(); ++i) {
    std::memcpy(&bytes[4 * i], &sine[i], 2);
    std::memcpy(&bytes[4 * i + 2], &sine[i], 2);
  }
  test::Fill(wave, 2, kRate, 16, bytes);
}

std::vector<int16_t> Channel(const DocWaveAudio& wave, int channel) {
  const std::vector<int16_t> all = test::Samples16(wave);
  std::vector<int16_t> one(all.size() / 2);
  for (size_t i = 0; i < one.size(); ++i) one[i] = all[2 * i + size_t(channel)];
  return one;
}

EffectParams EqualizerRecord(double b1, double b2, double b3, double b4, double b5) {
  EffectParams p(effect::kEqualizer);
  p.param5 = int32_t(kEqualizerBlockLength);
  p.real1 = b1;
  p.real2 = b2;
  p.real3 = b3;
  p.real4 = b4;
  p.real5 = b5;
  return p;
}

TEST(EqualizerDriver, BandTwoAtZeroRemovesA1kHzSineApartFromTheEdges) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  FillStereoSine(wave, 1000.0);
  EffectParams p = EqualizerRecord(100, 0, 100, 100, 100);
  EXPECT_EQ(ApplyEqualizer(wave, 0, kRate - 1, ChannelMode::Both, p), kRate);
  EXPECT_TRUE(ports.messages.empty());
  EXPECT_EQ(ports.captions, std::vector<std::string>{"Equalizer..."});
  for (int ch = 0; ch < 2; ++ch) {
    const std::vector<int16_t> x = Channel(wave, ch);
    int peak = 0;
    for (size_t i = kEqualizerBlockLength; i < x.size() - kEqualizerBlockLength; ++i) peak = std::max(peak, std::abs(int(x[i])));
    EXPECT_LT(peak, kAmplitude * 0.01) << "channel " << ch;  // below -40 dB
  }
}

TEST(EqualizerDriver, BandOneAtFiftyPercentHalvesA300HzSine) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  FillStereoSine(wave, 300.0);
  EffectParams p = EqualizerRecord(50, 100, 100, 100, 100);
  ASSERT_EQ(ApplyEqualizer(wave, 0, kRate - 1, ChannelMode::Both, p), kRate);
  for (int ch = 0; ch < 2; ++ch) {
    const std::vector<int16_t> x = Channel(wave, ch);
    EXPECT_NEAR(AmplitudeAt(x, 2048, x.size() - 2048, 300.0) / kAmplitude, 0.5, 0.005) << ch;
  }
}

TEST(EqualizerDriver, OneChannelLeavesTheOtherAlone) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  FillStereoSine(wave, 6000.0);
  const std::vector<int16_t> before = Channel(wave, 0);
  EffectParams p = EqualizerRecord(100, 100, 100, 100, 0);
  ASSERT_EQ(ApplyEqualizer(wave, 0, kRate - 1, ChannelMode::Right, p), kRate);
  EXPECT_EQ(Channel(wave, 0), before);
  const std::vector<int16_t> right = Channel(wave, 1);
  EXPECT_LT(AmplitudeAt(right, 2048, right.size() - 2048, 6000.0), kAmplitude * 0.01);
}

TEST(EqualizerDriver, EightBitSoundsAreLeftToTheEnginesText) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  test::Fill(wave, 2, kRate, 8, test::Staircase8(4000));
  const std::vector<uint8_t> before = test::Bytes(wave);
  EffectParams p = EqualizerRecord(0, 0, 0, 0, 0);
  EXPECT_EQ(ApplyEqualizer(wave, 0, 1999, ChannelMode::Both, p), 0u);
  EXPECT_EQ(test::Bytes(wave), before);
  EXPECT_EQ(ports.texts, (std::vector<std::string>{"Not implemented yet (4)"}));
}

}  // namespace
}  // namespace tarkel
