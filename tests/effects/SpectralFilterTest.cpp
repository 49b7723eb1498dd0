#include "effects/SpectralFilter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "support/Signals.h"

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

TEST(SpectralFilter, BandPassKeepsTheBandAndStopsTheRest) {
  const uint32_t b = 8192;
  const auto gains = BandGains(b, 1500.0 / kRate, 3000.0 / kRate, 1.0, 0.0);
  for (double f : {1800.0, 2250.0, 2800.0}) EXPECT_NEAR(FilteredLevel(f, b, gains), 1.0, 0.01) << f;
  for (double f : {300.0, 1000.0, 3500.0, 6000.0, 12000.0}) EXPECT_LT(FilteredLevel(f, b, gains), 0.01) << f;
}

TEST(SpectralFilter, BandStopStopsTheBandAndKeepsTheRest) {
  const uint32_t b = 4096;
  const auto gains = BandGains(b, 1500.0 / kRate, 3000.0 / kRate, 0.0, 1.0);
  for (double f : {1800.0, 2250.0, 2800.0}) EXPECT_LT(FilteredLevel(f, b, gains), 0.01) << f;
  for (double f : {300.0, 1000.0, 3600.0, 6000.0, 12000.0}) EXPECT_NEAR(FilteredLevel(f, b, gains), 1.0, 0.01) << f;
}

TEST(SpectralFilter, BandGainsScaleInsideAndOutside) {
  const uint32_t b = 2048;
  const auto gains = BandGains(b, 1500.0 / kRate, 3000.0 / kRate, 1.5, 0.25);
  EXPECT_NEAR(FilteredLevel(2250.0, b, gains), 1.5, 0.015);
  EXPECT_NEAR(FilteredLevel(800.0, b, gains), 0.25, 0.01);
  EXPECT_NEAR(FilteredLevel(8000.0, b, gains), 0.25, 0.01);
}

TEST(SpectralFilter, GaussianWeightFallsAwayFromTheCentre) {
  const uint32_t b = 8192;
  // Centre 2,250 Hz, spread 1,000 Hz: e^{-1} one spread away, e^{-4} at two.
  const auto gains = GaussianGains(b, 2250.0 / kRate, 1000.0 / kRate);
  EXPECT_NEAR(FilteredLevel(2250.0, b, gains), 1.0, 0.01);
  EXPECT_NEAR(FilteredLevel(3250.0, b, gains), std::exp(-1.0), 0.01);
  EXPECT_NEAR(FilteredLevel(250.0, b, gains), std::exp(-4.0), 0.01);
  EXPECT_LT(FilteredLevel(8000.0, b, gains), 0.001);
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
