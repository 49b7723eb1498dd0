#include "effects/Dtmf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstring>
#include <string>
#include <vector>

#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "effects/EffectIds.h"
#include "effects/EffectParams.h"
#include "effects/RealFft.h"
#include "effects/SynthesisDrivers.h"
#include "support/Signals.h"
#include "support/TestPorts.h"

namespace tarkel {
namespace {

TEST(Dtmf, KeypadTable) {
  const std::string keys = "123456789*0#";
  const uint32_t low[4] = {697, 770, 852, 941};
  const uint32_t high[3] = {1209, 1336, 1477};
  for (size_t i = 0; i < keys.size(); ++i) {
    const auto pair = DtmfTonesOf(keys[i]);
    ASSERT_TRUE(pair.has_value()) << keys[i];
    EXPECT_EQ(pair->lowHertz, low[i / 3]) << keys[i];
    EXPECT_EQ(pair->highHertz, high[i % 3]) << keys[i];
  }
  for (char c : std::string("ABCDabcd ,-w\0", 13)) EXPECT_FALSE(DtmfTonesOf(c).has_value()) << int(c);
}

TEST(Dtmf, ToneIsAContinuousSineInEveryChannelOfAFrame) {
  const uint32_t rate = 22050;
  std::vector<int16_t> v(2 * 1000);
  WriteDtmfTone(reinterpret_cast<uint8_t*>(v.data()), 1000, 2, 2, 1477.0, rate, 0.45);
  for (uint32_t j = 0; j < 1000; ++j) {
    const int16_t want = int16_t(std::trunc(std::sin(2.0 * M_PI * 1477.0 * j / rate) * 0.45 * 32767.0));
    ASSERT_NEAR(v[2 * j], want, 1) << j;
    ASSERT_EQ(v[2 * j + 1], v[2 * j]) << j;
  }
}

TEST(Dtmf, ToneWritesOnlyItsChannelWithAStride) {
  std::vector<int16_t> v(2 * 100, 7);
  WriteDtmfTone(reinterpret_cast<uint8_t*>(v.data()) + 2, 100, 1, 2, 697.0, 8000, 0.9);
  for (uint32_t j = 0; j < 100; ++j) ASSERT_EQ(v[2 * j], 7) << j;
  EXPECT_GT(v[3], 0);
}

}  // namespace
}  // namespace tarkel

// ---- DTMF dialing over a document's sound ---------------------------------------------------

namespace tarkel {
namespace {

// Magnitude of the Hann-weighted projection of x[0 ... n) (every `stride`-th sample) on a tone
// of `hertz`, scaled to the tone's peak amplitude.
double ToneAmplitude(const int16_t* x, size_t stride, size_t n, double hertz, uint32_t rate) {
  const std::complex<double> step = std::polar(1.0, -2.0 * M_PI * hertz / rate);
  std::complex<double> rot = 1.0, sum = 0.0;
  double wsum = 0.0;
  for (size_t j = 0; j < n; ++j) {
    const double w = 0.5 - 0.5 * std::cos(2.0 * M_PI * j / n);
    sum += w * double(x[j * stride]) * rot;
    wsum += w;
    rot *= step;
  }
  return 2.0 * std::abs(sum) / wsum;
}

struct Tone {
  double hertz = 0;
  double amplitude = 0;
};

// The strongest tone within 3 percent of `nominal`: a scan in steps of 0.1 percent, refined by
// a parabola through the best three.
Tone PeakNear(const int16_t* x, size_t stride, size_t n, double nominal, uint32_t rate) {
  constexpr int kSteps = 30;
  constexpr double kStep = 0.001;
  std::vector<double> a(2 * kSteps + 1);
  int best = 0;
  for (int s = -kSteps; s <= kSteps; ++s) {
    a[size_t(s + kSteps)] = ToneAmplitude(x, stride, n, nominal * (1.0 + kStep * s), rate);
    if (a[size_t(s + kSteps)] > a[size_t(best)]) best = s + kSteps;
  }
  double offset = 0.0;
  if (best > 0 && best < 2 * kSteps) {
    const double l = a[size_t(best - 1)], c = a[size_t(best)], r = a[size_t(best + 1)];
    offset = 0.5 * (l - r) / (l - 2 * c + r);
  }
  const double hertz = nominal * (1.0 + kStep * (best - kSteps + offset));
  return {hertz, ToneAmplitude(x, stride, n, hertz, rate)};
}

// The strongest spectral peak (as a peak amplitude) farther than `guard` Hz from both tones,
// from a Blackman-Harris-windowed transform.
double StrongestOtherTone(const int16_t* x, size_t stride, size_t n, uint32_t rate, double f1, double f2, double guard) {
  uint32_t size = 1;
  while (size < n) size *= 2;
  std::vector<double> re(size / 2, 0.0), im(size / 2, 0.0);
  double wsum = 0.0;
  for (size_t j = 0; j < n; ++j) {
    const double t = 2.0 * M_PI * j / (n - 1);
    const double w = 0.35875 - 0.48829 * std::cos(t) + 0.14128 * std::cos(2 * t) - 0.01168 * std::cos(3 * t);
    (j % 2 ? im : re)[j / 2] = w * x[j * stride];
    wsum += w;
  }
  RealFft(size / 2, re.data(), im.data());
  double strongest = 0.0;
  for (uint32_t k = 1; k < size / 2; ++k) {
    const double f = double(k) * rate / size;
    if (std::fabs(f - f1) < guard || std::fabs(f - f2) < guard) continue;
    strongest = std::max(strongest, 2.0 * std::hypot(re[k], im[k]) / wsum);
  }
  return strongest;
}

// The record refers to `digits`, which must outlive it.
EffectParams DtmfRecord(int32_t level, const char* digits) {
  EffectParams p(effect::kDtmf, level, int32_t(std::strlen(digits)));
  p.digits = digits;
  return p;
}

TEST(DtmfDriver, EveryKeyHasBothTonesInTuneAtEveryRate) {
  const std::string keys = "0123456789*#";
  const int32_t level = 10;
  const double expected = kDtmfLevelFactor * level / 2.0 / 100.0 * 32767.0;  // 45 % of full scale
  for (uint32_t rate : {8000u, 11025u, 22050u, 44100u}) {
    test::RecordingPorts ports;
    DocWaveAudio wave;
    const uint32_t slot = rate / 8;
    const uint32_t frames = slot * uint32_t(keys.size()) + 1;
    test::Fill(wave, 1, rate, 16, std::vector<uint8_t>(size_t(frames) * 2, 0));
    EffectParams p = DtmfRecord(level, keys.c_str());
    ASSERT_EQ(SynthesizeDtmf(wave, 0, frames - 1, ChannelMode::Mono, p), frames) << rate;
    EXPECT_TRUE(ports.messages.empty());
    EXPECT_EQ(ports.captions, std::vector<std::string>{"DTMF-synthesis..."});
    const std::vector<int16_t> x = test::Samples16(wave);
    for (size_t i = 0; i < keys.size(); ++i) {
      const DtmfPair pair = *DtmfTonesOf(keys[i]);
      const int16_t* s = x.data() + i * slot;
      const Tone low = PeakNear(s, 1, slot, pair.lowHertz, rate);
      const Tone high = PeakNear(s, 1, slot, pair.highHertz, rate);
      SCOPED_TRACE(testing::Message() << "key " << keys[i] << " at " << rate << " Hz");
      EXPECT_NEAR(low.hertz, pair.lowHertz, 0.005 * pair.lowHertz);
      EXPECT_NEAR(high.hertz, pair.highHertz, 0.005 * pair.highHertz);
      EXPECT_NEAR(low.amplitude, expected, 0.05 * expected);
      EXPECT_NEAR(high.amplitude, expected, 0.05 * expected);
      // Nothing else above -30 dB of the weaker tone (the guard is the window's main lobe).
      const double guard = 5.0 * rate / slot;
      const double other = StrongestOtherTone(s, 1, slot, rate, low.hertz, high.hertz, guard);
      EXPECT_LT(20.0 * std::log10(other / std::min(low.amplitude, high.amplitude)), -30.0);
    }
  }
}

TEST(DtmfDriver, BothChannelsOfStereoCarryTheSameTones) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  const uint32_t rate = 22050, frames = rate / 2 + 1;
  test::Fill(wave, 2, rate, 16, std::vector<uint8_t>(size_t(frames) * 4, 0));
  EffectParams p = DtmfRecord(10, "3");
  ASSERT_EQ(SynthesizeDtmf(wave, 0, frames - 1, ChannelMode::Both, p), frames);
  const std::vector<int16_t> x = test::Samples16(wave);
  for (uint32_t i = 0; i < frames; ++i) ASSERT_EQ(x[2 * i], x[2 * i + 1]) << i;
  EXPECT_NEAR(PeakNear(x.data(), 2, frames - 1, 1477, rate).hertz, 1477.0, 1477 * 0.005);
  EXPECT_NEAR(PeakNear(x.data(), 2, frames - 1, 697, rate).hertz, 697.0, 697 * 0.005);
}

TEST(DtmfDriver, OneChannelLeavesTheOtherAlone) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  const uint32_t rate = 8000, frames = 4001;
  test::Fill(wave, 2, rate, 16, test::Staircase16(2 * frames));
  EffectParams p = DtmfRecord(5, "9");
  ASSERT_EQ(SynthesizeDtmf(wave, 0, frames - 1, ChannelMode::Right, p), frames);
  const std::vector<int16_t> x = test::Samples16(wave);
  for (uint32_t i = 0; i < frames; ++i) ASSERT_EQ(x[2 * i], int16_t(2 * i)) << i;
  const Tone high = PeakNear(x.data() + 1, 2, frames - 1, 1477, rate);
  EXPECT_NEAR(high.hertz, 1477.0, 1477 * 0.005);
  EXPECT_NEAR(high.amplitude, 0.225 * 32767, 0.05 * 0.225 * 32767);
}

TEST(DtmfDriver, SlotsLeaveTheRemainderAndOthersRepeatThePreviousKey) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  const uint32_t rate = 8000, frames = 3 * 2000 + 1 + 2;  // (last - first) / 3 = 2000, remainder 3
  test::Fill(wave, 1, rate, 16, std::vector<uint8_t>(size_t(frames) * 2, 0x22));
  EffectParams p = DtmfRecord(10, "5-x");
  ASSERT_EQ(SynthesizeDtmf(wave, 0, frames - 1, ChannelMode::Mono, p), frames);
  const std::vector<int16_t> x = test::Samples16(wave);
  for (int slot = 0; slot < 3; ++slot) {
    EXPECT_NEAR(PeakNear(x.data() + slot * 2000, 1, 2000, 770, rate).hertz, 770.0, 4.0) << slot;
    EXPECT_NEAR(PeakNear(x.data() + slot * 2000, 1, 2000, 1336, rate).hertz, 1336.0, 7.0) << slot;
  }
  for (uint32_t i = 6000; i < frames; ++i) EXPECT_EQ(x[i], 0x2222) << i;
}

TEST(DtmfDriver, AnOffKeypadFirstCharacterIsAPause) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  test::Fill(wave, 1, 8000, 16, std::vector<uint8_t>(2 * 2001, 0x22));
  EffectParams p = DtmfRecord(10, "p1");
  ASSERT_EQ(SynthesizeDtmf(wave, 0, 2000, ChannelMode::Mono, p), 2001u);
  const std::vector<int16_t> x = test::Samples16(wave);
  for (uint32_t i = 0; i < 1000; ++i) ASSERT_EQ(x[i], 0) << i;
  EXPECT_GT(PeakNear(x.data() + 1000, 1, 1000, 697, 8000).amplitude, 10000.0);
}

TEST(DtmfDriver, RefusesAnEmptyStringAndAnEmptySlot) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  test::Fill(wave, 1, 8000, 16, test::Staircase16(10));
  const std::vector<uint8_t> before = test::Bytes(wave);
  EffectParams empty = DtmfRecord(10, "");
  EXPECT_EQ(SynthesizeDtmf(wave, 0, 9, ChannelMode::Mono, empty), 0u);
  EffectParams none(effect::kDtmf, 10, 0);
  EXPECT_EQ(SynthesizeDtmf(wave, 0, 9, ChannelMode::Mono, none), 0u);
  // Ten frames, twenty digits: slot length 0.
  EffectParams many = DtmfRecord(10, "12345678901234567890");
  many.preview = 1;
  EXPECT_EQ(SynthesizeDtmf(wave, 0, 9, ChannelMode::Mono, many), 0u);
  EXPECT_EQ(ports.messages, (std::vector<int>{msg::kNothingSelected, msg::kNothingSelected, msg::kNothingSelected}));
  EXPECT_EQ(test::Bytes(wave), before);
  EXPECT_TRUE(wave.PreviewImage().Empty());
  EXPECT_FALSE(wave.ProgressActive());
}

TEST(DtmfDriver, PreviewWritesTheCopyOnly) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  test::Fill(wave, 1, 8000, 16, test::Staircase16(3000));
  const std::vector<uint8_t> before = test::Bytes(wave);
  EffectParams p = DtmfRecord(10, "#");
  p.preview = 1;
  ASSERT_EQ(SynthesizeDtmf(wave, 500, 2500, ChannelMode::Mono, p), 2001u);
  EXPECT_EQ(test::Bytes(wave), before);
  ASSERT_EQ(wave.PreviewImage().DataSize(), 2 * 2001u);
  std::vector<int16_t> copy(2001);
  std::memcpy(copy.data(), wave.PreviewData(), 2 * 2001);
  EXPECT_NEAR(PeakNear(copy.data(), 1, 2000, 941, 8000).hertz, 941.0, 941 * 0.005);
}

TEST(DtmfDriver, CancelReturnsZero) {
  test::RecordingPorts ports;
  ports.cancelAtPump = 1;
  DocWaveAudio wave;
  test::Fill(wave, 1, 8000, 16, std::vector<uint8_t>(2 * 8001, 0));
  EffectParams p = DtmfRecord(10, "123");
  EXPECT_EQ(SynthesizeDtmf(wave, 0, 8000, ChannelMode::Mono, p), 0u);
  EXPECT_FALSE(wave.ProgressActive());
}

}  // namespace
}  // namespace tarkel
