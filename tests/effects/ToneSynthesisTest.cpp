#include "effects/ToneSynthesis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "sound/DocWaveAudio.h"
#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectParams.h"
#include "support/Signals.h"
#include "support/TestPorts.h"

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

// ---- Tone synthesis through the engine (id 14) -----------------------------------------------

namespace tarkel {
namespace {

EffectParams ToneRecord(int32_t tens, int32_t units, int32_t waveform, int32_t centiHertz) {
  return EffectParams(effect::kToneSynthesis, tens, units, waveform, centiHertz);
}

TEST(ToneSynthesisEffect, OverwritesTheRangeWithTheTruncatedPeriod) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  test::Fill(wave, 1, 44100, 16, test::Staircase16(44100 + 200));
  EffectParams p = ToneRecord(100, 0, 0, 100000);
  ASSERT_EQ(ApplyEffect(wave, 100, 44100 + 99, ChannelMode::Mono, p), 44100u);
  EXPECT_TRUE(ports.messages.empty());
  EXPECT_TRUE(ports.texts.empty());
  EXPECT_EQ(ports.captions, std::vector<std::string>{"Applying tool..."});
  const std::vector<int16_t> x = test::Samples16(wave);
  // Outside the range the staircase is untouched.
  for (uint32_t i = 0; i < 100; ++i) ASSERT_EQ(x[i], int16_t(i));
  for (uint32_t i = 44100 + 100; i < x.size(); ++i) ASSERT_EQ(x[i], int16_t(i));
  // Inside, the generator's samples, period after period of 44.
  const std::vector<int16_t> want = Generate(ToneSettingsFrom(100, 0, 0, 100000), 44100, 1, 44100);
  for (uint32_t i = 0; i < 44100; ++i) ASSERT_EQ(x[100 + i], want[i]) << i;
  // 1,000 Hz asked, 44,100 / 44 = 1,002.27 Hz made: count the periods in the second.
  int rising = 0;
  for (uint32_t i = 101; i < 44100 + 100; ++i) rising += x[i - 1] < 0 && x[i] >= 0;
  EXPECT_EQ(rising, 1002);
}

TEST(ToneSynthesisEffect, BothChannelsOfStereoAreOneStream) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  test::Fill(wave, 2, 6400, 16, std::vector<uint8_t>(4 * 256, 0));
  EffectParams p = ToneRecord(100, 0, 3, 10000);  // square, P = 64 frames = 128 samples
  ASSERT_EQ(ApplyEffect(wave, 0, 255, ChannelMode::Both, p), 256u);
  const std::vector<int16_t> x = test::Samples16(wave);
  for (size_t i = 0; i < x.size(); ++i) ASSERT_EQ(x[i], (i % 128) < 64 ? -32768 : 32767) << i;
}

TEST(ToneSynthesisEffect, ARangeShorterThanOnePeriodStaysAndSucceeds) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  test::Fill(wave, 1, 44100, 16, test::Staircase16(43));
  const std::vector<uint8_t> before = test::Bytes(wave);
  EffectParams p = ToneRecord(100, 0, 0, 100000);  // P = 44
  EXPECT_EQ(ApplyEffect(wave, 0, 42, ChannelMode::Mono, p), 43u);
  EXPECT_EQ(test::Bytes(wave), before);
  EXPECT_TRUE(ports.messages.empty());
  EXPECT_TRUE(ports.texts.empty());
}

TEST(ToneSynthesisEffect, UnknownWaveformShowsItsTextOnceAndFailsWithoutChange) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  test::Fill(wave, 1, 44100, 16, test::Staircase16(4410));
  const std::vector<uint8_t> before = test::Bytes(wave);
  for (int32_t waveform : {5, -1}) {
    ports.texts.clear();
    EffectParams p = ToneRecord(100, 0, waveform, 100000);
    EXPECT_EQ(ApplyEffect(wave, 0, 4409, ChannelMode::Mono, p), 0u);
    EXPECT_EQ(ports.texts, std::vector<std::string>{"Not implemented yet (x)"});
  }
  EXPECT_EQ(test::Bytes(wave), before);
}

TEST(ToneSynthesisEffect, OneChannelIsNotImplemented) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  test::Fill(wave, 2, 44100, 16, test::Staircase16(2000));
  const std::vector<uint8_t> before = test::Bytes(wave);
  EffectParams p = ToneRecord(100, 0, 0, 100000);
  EXPECT_EQ(ApplyEffect(wave, 0, 999, ChannelMode::Left, p), 0u);
  EXPECT_EQ(ports.texts, std::vector<std::string>{"Not implemented yet (6)"});
  EXPECT_EQ(test::Bytes(wave), before);
}

TEST(ToneSynthesisEffect, AFrequencyAboveTheRateStillEndsEveryPeriod) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  test::Fill(wave, 1, 8000, 16, test::Staircase16(100));
  EffectParams p = ToneRecord(100, 0, 1, 4800000);  // 48 kHz at 8 kHz: one-sample periods
  EXPECT_EQ(ApplyEffect(wave, 0, 99, ChannelMode::Mono, p), 100u);
  for (int16_t v : test::Samples16(wave)) ASSERT_EQ(v, 32767);
}

TEST(ToneSynthesisEffect, CancelStopsAndReturnsZero) {
  test::RecordingPorts ports;
  ports.cancelAtPump = 2;
  DocWaveAudio wave;
  test::Fill(wave, 1, 44100, 16, std::vector<uint8_t>(2 * 44100, 0x11));
  EffectParams p = ToneRecord(50, 0, 4, 100000);
  EXPECT_EQ(ApplyEffect(wave, 0, 44099, ChannelMode::Mono, p), 0u);
  const std::vector<int16_t> x = test::Samples16(wave);
  EXPECT_EQ(x.back(), 0x1111);  // the end was never reached
  EXPECT_NE(x.front(), 0x1111);
}

}  // namespace
}  // namespace tarkel
