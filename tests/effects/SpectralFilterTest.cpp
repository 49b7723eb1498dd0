#include "effects/SpectralFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "effects/EffectIds.h"
#include "effects/SpectralDrivers.h"
#include "support/Signals.h"
#include "support/TestPorts.h"

namespace tarkel {
namespace {

constexpr uint32_t kRate = 44100;

// Peak amplitude of the component at `hertz` in x[from, to), from a Hann-weighted projection.
double AmplitudeAt(const std::vector<int16_t>& x, size_t from, size_t to, double hertz, uint32_t rate) {
  double c = 0, s = 0, wsum = 0;
  const size_t n = to - from;
  for (size_t j = 0; j < n; ++j) {
    const double w = 0.5 - 0.5 * std::cos(2.0 * M_PI * j / n);
    const double a = 2.0 * M_PI * hertz * double(from + j) / rate;
    c += w * x[from + j] * std::cos(a);
    s += w * x[from + j] * std::sin(a);
    wsum += w;
  }
  return 2.0 * std::hypot(c, s) / wsum;
}

// Filters a sine of `hertz` (amplitude 10,000, half a second) and returns its level afterwards as
// a factor, measured away from the ends of the range.
double FilteredLevel(double hertz, uint32_t block, const std::vector<double>& gains) {
  std::vector<int16_t> x = test::Sine16(hertz, kRate, kRate / 2, 10000.0);
  SpectralBlockFilter filter(block, gains);
  EXPECT_TRUE(filter.Run({reinterpret_cast<uint8_t*>(x.data()), 2}, x.size(), nullptr));
  return AmplitudeAt(x, block, x.size() - block, hertz, kRate) / 10000.0;
}

TEST(SpectralFilter, BandGainsScaleInsideAndOutside) {
  const uint32_t b = 2048;
  const auto gains = BandGains(b, 1500.0 / kRate, 3000.0 / kRate, 1.5, 0.25);
  EXPECT_NEAR(FilteredLevel(2250.0, b, gains), 1.5, 0.015);
  EXPECT_NEAR(FilteredLevel(800.0, b, gains), 0.25, 0.01);
  EXPECT_NEAR(FilteredLevel(8000.0, b, gains), 0.25, 0.01);
}

TEST(SpectralFilter, GaussianWithoutWidthKeepsOnlyTheCentre) {
  const auto gains = GaussianGains(1024, 0.1, 0.0);
  int passing = 0;
  for (double g : gains) {
    EXPECT_TRUE(std::isfinite(g));
    passing += g > 0.0;
  }
  EXPECT_EQ(passing, 1);
}

TEST(SpectralFilter, TheConstantPartTakesTheGainAtZeroHertz) {
  // Kept where 0 Hz lies in a band of gain 1, removed where it lies in one of gain 0; no buzz at
  // the block rate either way.
  for (double outside : {1.0, 0.0}) {
    std::vector<int16_t> x(20000, 5000);
    SpectralBlockFilter filter(1024, BandGains(1024, 0.1, 0.2, 1.0, outside));
    ASSERT_TRUE(filter.Run({reinterpret_cast<uint8_t*>(x.data()), 2}, x.size(), nullptr));
    for (size_t i = 2048; i < x.size() - 2048; ++i) ASSERT_NEAR(x[i], 5000 * outside, 5) << i;
  }
}

TEST(SpectralFilter, AllGainsOneGivesTheInputBack) {
  std::vector<int16_t> x(30000);
  for (size_t i = 0; i < x.size(); ++i) x[i] = int16_t((i * 7919) % 20000) - 10000;
  const std::vector<int16_t> original = x;
  SpectralBlockFilter filter(2048, BandGains(2048, 0.0, 0.5, 1.0, 1.0));
  ASSERT_TRUE(filter.Run({reinterpret_cast<uint8_t*>(x.data()), 2}, x.size(), nullptr));
  for (size_t i = 0; i < x.size(); ++i) ASSERT_NEAR(x[i], original[i], 1) << i;
}

TEST(SpectralFilter, FiltersOneChannelAndLeavesTheOtherAlone) {
  const uint32_t n = 12000;
  std::vector<int16_t> stereo(2 * n);
  const std::vector<int16_t> sine = test::Sine16(5000.0, kRate, n, 8000.0);
  for (uint32_t i = 0; i < n; ++i) {
    stereo[2 * i] = sine[i];
    stereo[2 * i + 1] = int16_t(i);
  }
  SpectralBlockFilter filter(1024, BandGains(1024, 0.0, 0.5, 0.0, 0.0));
  uint64_t counted = 0;
  ASSERT_TRUE(filter.Run({reinterpret_cast<uint8_t*>(stereo.data()), 4}, n, [&](uint64_t c) {
    counted += c;
    return true;
  }));
  EXPECT_EQ(counted, n);  // every written sample counted once
  for (uint32_t i = 0; i < n; ++i) {
    ASSERT_EQ(stereo[2 * i + 1], int16_t(i)) << i;
    ASSERT_EQ(stereo[2 * i], 0) << i;
  }
}

TEST(SpectralFilter, LimitsToTheSixteenBitRange) {
  std::vector<int16_t> x = test::Sine16(1000.0, kRate, 20000, 30000.0);
  SpectralBlockFilter filter(2048, BandGains(2048, 0.0, 0.5, 2.0, 2.0));
  ASSERT_TRUE(filter.Run({reinterpret_cast<uint8_t*>(x.data()), 2}, x.size(), nullptr));
  int atTop = 0, atBottom = 0;
  for (int16_t v : x) {
    atTop += v == 32767;
    atBottom += v == -32768;
  }
  EXPECT_GT(atTop, 100);
  EXPECT_GT(atBottom, 100);
}

TEST(SpectralFilter, GainsThatAreNoNumberCountAsZero) {
  std::vector<int16_t> x = test::Sine16(1000.0, kRate, 5000, 10000.0);
  SpectralBlockFilter filter(1024, std::vector<double>(513, std::nan("")));
  ASSERT_TRUE(filter.Run({reinterpret_cast<uint8_t*>(x.data()), 2}, x.size(), nullptr));
  for (int16_t v : x) ASSERT_EQ(v, 0);
}

TEST(SpectralFilter, CancelKeepsWhatWasWrittenAndLeavesTheRest) {
  const std::vector<int16_t> original = test::Sine16(3000.0, kRate, 30000, 10000.0);
  std::vector<int16_t> x = original;
  SpectralBlockFilter filter(1024, BandGains(1024, 0.0, 0.5, 0.0, 0.0));
  uint64_t written = 0;
  int calls = 0;
  EXPECT_FALSE(filter.Run({reinterpret_cast<uint8_t*>(x.data()), 2}, x.size(), [&](uint64_t c) {
    written += c;
    return ++calls < 3;
  }));
  ASSERT_GT(written, 0u);
  ASSERT_LT(written, x.size());
  for (size_t i = 0; i < written; ++i) ASSERT_EQ(x[i], 0) << i;
  for (size_t i = written; i < x.size(); ++i) ASSERT_EQ(x[i], original[i]) << i;
}

TEST(SpectralFilter, HandlesRangesShorterThanABlock) {
  for (uint64_t n : {1u, 2u, 50u, 461u, 1000u}) {
    std::vector<int16_t> x(n, 1000);
    SpectralBlockFilter filter(1024, BandGains(1024, 0.0, 0.5, 1.0, 1.0));
    uint64_t counted = 0;
    EXPECT_TRUE(filter.Run({reinterpret_cast<uint8_t*>(x.data()), 2}, n, [&](uint64_t c) {
      counted += c;
      return true;
    }));
    EXPECT_EQ(counted, n);
  }
}

TEST(SpectralFilter, BlockLengthsAreRoundedToSupportedPowersOfTwo) {
  EXPECT_EQ(SupportedBlockLength(8192), 8192u);
  EXPECT_EQ(SupportedBlockLength(16384), 16384u);
  EXPECT_EQ(SupportedBlockLength(100000), 16384u);
  EXPECT_EQ(SupportedBlockLength(3000), 2048u);
  EXPECT_EQ(SupportedBlockLength(512), 512u);
  EXPECT_EQ(SupportedBlockLength(0), kMinSpectralBlock);
  EXPECT_EQ(SupportedBlockLength(-5), kMinSpectralBlock);
}

}  // namespace
}  // namespace tarkel

// ---- The numerical filter's driver over a document's sound ---------------------------------

namespace tarkel {
namespace {

constexpr double kLevel = 10000.0;

// A 16-bit sound of one second at 44,100 Hz: mono with the sine, or stereo with the sine on the
// left and a staircase on the right.
void FillSine(DocWaveAudio& wave, double hertz, uint16_t channels) {
  const std::vector<int16_t> sine = test::Sine16(hertz, kRate, kRate, kLevel);
  std::vector<int16_t> samples;
  for (size_t i = 0; i < sine.size(); ++i) {
    samples.push_back(sine[i]);
    if (channels == 2) samples.push_back(int16_t(i));
  }
  std::vector<uint8_t> bytes(samples.size() * 2);
  std::memcpy(bytes.data(), samples.data(), bytes.size());
  test::Fill(wave, channels, kRate, 16, bytes);
}

EffectParams FilterRecord(int32_t lower, int32_t upper, int32_t p3, int32_t p4, int32_t block, uint32_t mode) {
  EffectParams p(effect::kNumericalFilter, lower, upper, p3, p4);
  p.param5 = block;
  p.param6 = mode;
  return p;
}

// The level (a factor) of a sine of `hertz` after the numerical filter on a mono sound.
double LevelAfterFilter(double hertz, EffectParams p) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  FillSine(wave, hertz, 1);
  EXPECT_EQ(ApplyNumericalFilter(wave, 0, kRate - 1, ChannelMode::Mono, p), kRate);
  EXPECT_TRUE(ports.messages.empty());
  EXPECT_TRUE(ports.texts.empty());
  const std::vector<int16_t> x = test::Samples16(wave);
  return AmplitudeAt(x, 8192, x.size() - 8192, hertz, kRate) / kLevel;
}

TEST(NumericalFilter, BandPassModePassesTheBandAndStopsTheRest) {
  const EffectParams p = FilterRecord(1500, 3000, 100, 0, 8192, 1);
  for (double f : {1700.0, 2250.0, 2900.0}) EXPECT_NEAR(LevelAfterFilter(f, p), 1.0, 0.01) << f;
  for (double f : {200.0, 1000.0, 1300.0, 3300.0, 6000.0, 15000.0}) EXPECT_LT(LevelAfterFilter(f, p), 0.01) << f;
}

TEST(NumericalFilter, BandStopModeStopsTheBandAndPassesTheRest) {
  // The dialog's third mode: the same two gains, here 0 inside and 100 percent outside.
  const EffectParams p = FilterRecord(1500, 3000, 0, 100, 8192, 2);
  for (double f : {1700.0, 2250.0, 2900.0}) EXPECT_LT(LevelAfterFilter(f, p), 0.01) << f;
  for (double f : {200.0, 1000.0, 1300.0, 3300.0, 6000.0, 15000.0}) EXPECT_NEAR(LevelAfterFilter(f, p), 1.0, 0.01) << f;
}

TEST(NumericalFilter, GaussianModeHalvesOneWidthFromTheCentreAtShape100) {
  // Shape 100 percent: G = e^{-ln 2 ((f - centre) / width)^2}, so 1 at the centre, 1/2 one
  // width (1,500 Hz) away.
  const EffectParams p = FilterRecord(1500, 3000, 100, 0, 8192, 0);
  EXPECT_NEAR(LevelAfterFilter(2250.0, p), 1.0, 0.01);
  EXPECT_NEAR(LevelAfterFilter(3750.0, p), 0.5, 0.01);
  EXPECT_NEAR(LevelAfterFilter(750.0, p), 0.5, 0.01);
  EXPECT_LT(LevelAfterFilter(12000.0, p), 0.001);
}

TEST(NumericalFilter, DriverFillsTheRecordsRealValues) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  FillSine(wave, 1000.0, 1);
  EffectParams p = FilterRecord(4410, 8820, 1, 0, 1024, 0);
  ASSERT_EQ(ApplyNumericalFilter(wave, 0, 999, ChannelMode::Mono, p), 1000u);
  EXPECT_EQ(p.param3, 2);  // shape raised to 2
  EXPECT_DOUBLE_EQ(p.real1, 0.1);
  EXPECT_DOUBLE_EQ(p.real2, 0.2);
  EXPECT_DOUBLE_EQ(p.real3, 0.15);
  EXPECT_DOUBLE_EQ(p.real4, 0.1);
  EXPECT_DOUBLE_EQ(p.real5, std::sqrt(-std::log(0.99)));
  EXPECT_DOUBLE_EQ(p.real6, 0.1 / std::sqrt(-std::log(0.99)));
  EXPECT_EQ(ports.captions, std::vector<std::string>{"Filter..."});
}

TEST(NumericalFilter, OneChannelOfStereoLeavesTheOtherAlone) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  FillSine(wave, 500.0, 2);
  EffectParams p = FilterRecord(1500, 3000, 100, 0, 4096, 1);
  ASSERT_EQ(ApplyNumericalFilter(wave, 0, kRate - 1, ChannelMode::Left, p), kRate);
  const std::vector<int16_t> all = test::Samples16(wave);
  std::vector<int16_t> left(kRate);
  for (uint32_t i = 0; i < kRate; ++i) {
    ASSERT_EQ(all[2 * i + 1], int16_t(i)) << i;
    left[i] = all[2 * i];
  }
  EXPECT_LT(AmplitudeAt(left, 4096, kRate - 4096, 500.0, kRate) / kLevel, 0.01);
}

TEST(NumericalFilter, PreviewFiltersACopyAndLeavesTheSound) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  FillSine(wave, 500.0, 1);
  const std::vector<uint8_t> before = test::Bytes(wave);
  EffectParams p = FilterRecord(1500, 3000, 100, 0, 4096, 1);
  p.preview = 1;
  ASSERT_EQ(ApplyNumericalFilter(wave, 1000, 30999, ChannelMode::Mono, p), 30000u);
  EXPECT_EQ(test::Bytes(wave), before);
  ASSERT_FALSE(wave.PreviewImage().Empty());
  ASSERT_EQ(wave.PreviewImage().DataSize(), 60000u);
  std::vector<int16_t> copy(30000);
  std::memcpy(copy.data(), wave.PreviewData(), 60000);
  EXPECT_LT(AmplitudeAt(copy, 4096, 30000 - 4096, 500.0, kRate) / kLevel, 0.01);
}

TEST(NumericalFilter, CancelReturnsZeroAndClosesTheWindow) {
  test::RecordingPorts ports;
  ports.cancelAtPump = 3;
  DocWaveAudio wave;
  FillSine(wave, 500.0, 2);
  EffectParams p = FilterRecord(1500, 3000, 100, 0, 1024, 1);
  EXPECT_EQ(ApplyNumericalFilter(wave, 0, kRate - 1, ChannelMode::Both, p), 0u);
  EXPECT_FALSE(wave.ProgressActive());
  EXPECT_EQ(ports.progressCloses, 1);
}

TEST(NumericalFilter, ProgressRunsOverBothChannels) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  FillSine(wave, 500.0, 2);
  EffectParams p = FilterRecord(1500, 3000, 100, 0, 1024, 1);
  ASSERT_EQ(ApplyNumericalFilter(wave, 0, kRate - 1, ChannelMode::Both, p), kRate);
  ASSERT_FALSE(ports.positions.empty());
  EXPECT_GE(ports.positions.back(), 95);
  EXPECT_LE(ports.positions.size(), 21u);
}

TEST(NumericalFilter, RefusesARangeOfOneFrame) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  FillSine(wave, 500.0, 1);
  EffectParams p = FilterRecord(1500, 3000, 100, 0, 1024, 1);
  EXPECT_EQ(ApplyNumericalFilter(wave, 5, 5, ChannelMode::Mono, p), 0u);
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kNothingSelected});
}

}  // namespace
}  // namespace tarkel
