#include "effects/ToneSynthesis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tarkel {
namespace {

std::vector<int16_t> Generate(const ToneSettings& s, uint32_t rate, uint32_t samplesPerFrame, size_t count) {
  ToneGenerator gen(s, TonePeriodFrames(rate, s.frequency), samplesPerFrame, 1);
  std::vector<int16_t> v(count);
  for (int16_t& x : v) x = gen.Next();
  return v;
}

TEST(ToneSynthesis, SettingsComeFromTensUnitsAndHundredthsOfHertz) {
  const ToneSettings s = ToneSettingsFrom(30, 5, 2, 100000);
  EXPECT_FLOAT_EQ(s.level, 0.35f);
  EXPECT_EQ(s.waveform, 2);
  EXPECT_FLOAT_EQ(s.frequency, 1000.0f);
}

TEST(ToneSynthesis, PeriodIsTruncatedToWholeSamples) {
  EXPECT_EQ(TonePeriodFrames(44100, 1000.0f), 44u);
  EXPECT_EQ(TonePeriodFrames(22050, 1477.0f), 14u);
  EXPECT_EQ(TonePeriodFrames(8000, 48000.0f), 1u);
  EXPECT_EQ(TonePeriodFrames(44100, 0.0f), UINT64_MAX);
  EXPECT_EQ(TonePeriodFrames(44100, -3.0f), UINT64_MAX);
}

TEST(ToneSynthesis, SineRestartsEveryPeriod) {
  const auto v = Generate(ToneSettingsFrom(100, 0, 0, 100000), 44100, 1, 44 * 3);
  for (size_t i = 0; i < v.size(); ++i) {
    const size_t j = i % 44;
    ASSERT_EQ(v[i], int16_t(std::trunc(std::sin(j * 12.566368 / 88.0) * 1.0 * 32767.0))) << i;
  }
  EXPECT_EQ(v[0], 0);
  EXPECT_EQ(v[11], 32766);  // a quarter period (the phase constant is a little below 4 pi)
}

TEST(ToneSynthesis, BothChannelsShareOnePeriodOfTwiceTheSamples) {
  const auto v = Generate(ToneSettingsFrom(100, 0, 0, 100000), 44100, 2, 88 * 2);
  for (size_t i = 0; i < 88; ++i) ASSERT_EQ(v[i], v[i + 88]) << i;
  EXPECT_EQ(v[22], 32766);  // phase pi/2 after 22 interleaved samples (v = 176 bytes)
}

TEST(ToneSynthesis, SawtoothFallsFromTopToBottomEachPeriod) {
  // P = 64 at 6,400 Hz and 100 Hz: v = 128, step 1,024.
  const auto v = Generate(ToneSettingsFrom(50, 0, 1, 10000), 6400, 1, 128);
  for (size_t i = 0; i < 64; ++i) {
    ASSERT_EQ(v[i], int16_t(std::trunc((32768.0 - 1024.0 * i) * 0.5))) << i;
    ASSERT_EQ(v[i + 64], v[i]) << i;
  }
}

TEST(ToneSynthesis, SawtoothAtFullLevelStaysInRange) {
  const auto v = Generate(ToneSettingsFrom(100, 0, 1, 10000), 6400, 1, 64);
  EXPECT_EQ(v[0], 32767);  // c = 32,768 is limited
  EXPECT_EQ(v[63], 32768 - 1024 * 63);
}

TEST(ToneSynthesis, TriangleTurnsAfterPassingTheBottom) {
  // P = 64: v = 128, d = 2,048. c falls 32,768, 30,720 ... -32,768 (sample 32), -34,816
  // (sample 33, limited), then rises.
  const auto v = Generate(ToneSettingsFrom(100, 0, 2, 10000), 6400, 1, 128);
  EXPECT_EQ(v[0], 32767);
  EXPECT_EQ(v[16], 0);
  EXPECT_EQ(v[32], -32768);
  EXPECT_EQ(v[33], -32768);
  EXPECT_EQ(v[34], -32768);
  EXPECT_EQ(v[35], -32768 + 2048);
  EXPECT_EQ(v[63], -34816 + 2048 * 30);
  EXPECT_EQ(v[64], 32767);  // restart
  for (size_t i = 1; i < 33; ++i) ASSERT_LT(v[i], v[i - 1]) << i;
  for (size_t i = 35; i < 64; ++i) ASSERT_GT(v[i], v[i - 1]) << i;
}

TEST(ToneSynthesis, SquareHalvesAreTheExtremesAtFullLevel) {
  const auto v = Generate(ToneSettingsFrom(100, 0, 3, 10000), 6400, 1, 128);
  for (size_t i = 0; i < 128; ++i) ASSERT_EQ(v[i], (i % 64) < 32 ? -32768 : 32767) << i;
  // Half level: trunc(0.5 * -32768) and trunc(0.5 * 32767).
  const auto h = Generate(ToneSettingsFrom(50, 0, 3, 10000), 6400, 1, 64);
  EXPECT_EQ(h[0], -16384);
  EXPECT_EQ(h[63], 16383);
}

TEST(ToneSynthesis, NoiseFollowsTheFormulaAndStaysInRange) {
  const auto v = Generate(ToneSettingsFrom(20, 0, 4, 100000), 44100, 1, 5000);
  NoiseSource r(1);
  for (size_t i = 0; i < v.size(); ++i) {
    const double want = std::trunc(0.2 * r.Next() / 32767.0 * 65534.0 - 16000.0);
    ASSERT_EQ(v[i], int16_t(want)) << i;
  }
  // Full level would pass the top of the range: limited.
  const auto full = Generate(ToneSettingsFrom(100, 0, 4, 100000), 44100, 1, 5000);
  int top = 0;
  for (int16_t x : full) top += x == 32767;
  EXPECT_GT(top, 500);
}

TEST(ToneSynthesis, SineAt1000HzSoundsAt1002Point3HzAt44100) {
  // The documented detuning: P = 44 whole samples.
  const uint32_t rate = 44100;
  const auto v = Generate(ToneSettingsFrom(100, 0, 0, 100000), rate, 1, rate);
  // Count rising zero crossings over the second: one per period.
  int rising = 0;
  for (size_t i = 1; i < v.size(); ++i) rising += v[i - 1] < 0 && v[i] >= 0;
  const double measured = double(rising) * rate / double(v.size());
  EXPECT_NEAR(measured, 44100.0 / 44.0, 1.0);
  EXPECT_NEAR(measured, 1002.3, 1.0);
}

}  // namespace
}  // namespace tarkel
