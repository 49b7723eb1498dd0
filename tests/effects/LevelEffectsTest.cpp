// Level ramp, envelope, normalize, invert, reverse, signedness and DC offset.
#include "EffectTestSupport.h"

namespace tarkel::test {
namespace {

using namespace effect;

TEST_F(EffectTest, FadeFromFullToHalfStepsEveryTwoSamples) {
  Fill16(wave, 1, 8000, Constant16(1000, 10000));
  EXPECT_EQ(Apply(kFade, 100, 50), 1000u);
  const auto out = Samples16(wave);
  EXPECT_EQ(out[0], 10000);
  EXPECT_EQ(out[2], 10000);
  EXPECT_EQ(out[3], 9990);   // the level moved after sample 2
  EXPECT_EQ(out[999], 5010); // 499 steps of 1/1000
}

TEST_F(EffectTest, FadeToSilenceStepsEverySampleAndRecordsTheDirection) {
  Fill16(wave, 1, 8000, Constant16(1000, 10000));
  EffectParams p(kFade, 100, 0);
  EXPECT_EQ(ApplyEffect(wave, 0, 999, ChannelMode::Mono, p), 1000u);
  EXPECT_EQ(p.effectId, kRampFalling);
  const auto out = Samples16(wave);
  EXPECT_EQ(out[1], 10000);
  EXPECT_EQ(out[2], 9990);
  EXPECT_EQ(out[999], 20);
}

TEST_F(EffectTest, EqualLevelsGiveAConstantGain) {
  Fill(wave, 1, 8000, 8, {228, 27, 128, 127, 255, 0});
  EXPECT_EQ(Apply(kFade, 50, 50), 6u);
  EXPECT_EQ(Bytes(wave), (std::vector<uint8_t>{178, 77, 128, 127, 191, 64}));
}

TEST_F(EffectTest, AmplitudeAboveFullScaleIsLimited) {
  Fill16(wave, 1, 8000, {20000, -20000, 100});
  EXPECT_EQ(Apply(kAmplitude, 200), 3u);
  EXPECT_EQ(Samples16(wave), (std::vector<int16_t>{32767, -32768, 200}));
  Fill(wave, 1, 8000, 8, {250, 10, 190});
  EXPECT_EQ(Apply(kAmplitude, 200), 3u);
  EXPECT_EQ(Bytes(wave), (std::vector<uint8_t>{255, 0, 252}));
}

TEST_F(EffectTest, RampsWorkOnOneChannelOnly) {
  Fill16(wave, 2, 8000, std::vector<int16_t>(20, 1000));
  EXPECT_EQ(Apply(kAmplitude, 50, 0, 0, 0, ChannelMode::Right), 10u);
  const auto out = Samples16(wave);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(out[2 * i], 1000);
    EXPECT_EQ(out[2 * i + 1], 500);
  }
  Fill(wave, 2, 8000, 8, std::vector<uint8_t>(20, 228));
  EXPECT_EQ(Apply(kAmplitude, 50, 0, 0, 0, ChannelMode::Left), 10u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(Bytes(wave)[2 * i], 178);
  EXPECT_EQ(Bytes(wave)[1], 228);
}

TEST_F(EffectTest, EnvelopeFadesEachSegmentInOneProgressWindow) {
  Fill16(wave, 1, 8000, Constant16(101, 10000));
  const std::vector<EnvelopePoint> points = {{100, 0}, {0, 0}, {50, 50}};  // sorted by x inside
  EXPECT_EQ(ApplyEnvelopePoints(wave, 0, 100, ChannelMode::Mono, 100, points, false), 101u);
  const auto out = Samples16(wave);
  EXPECT_EQ(out[0], 10000);
  EXPECT_NEAR(out[50], 5000, 400);
  EXPECT_EQ(out[51], 5000);  // the second segment starts at its own level, not twice faded
  EXPECT_NEAR(out[100], 10000, 250);
  EXPECT_EQ(ports.captions, std::vector<std::string>{"Envelope..."});
  EXPECT_EQ(ports.progressCloses, 1);
  EXPECT_FALSE(wave.ProgressActive());
}

TEST_F(EffectTest, EnvelopePreviewBuildsOneBlockFromItsSegments) {
  Fill16(wave, 1, 8000, Constant16(100, 10000));
  EXPECT_EQ(ApplyEnvelopePoints(wave, 0, 99, ChannelMode::Mono, 100, {{0, 50}, {49, 50}, {100, 50}}, true), 100u);
  EXPECT_EQ(Samples16(wave), Constant16(100, 10000));
  ASSERT_EQ(wave.PreviewImage().DataSize(), 200u);
  const int16_t* s = reinterpret_cast<const int16_t*>(wave.PreviewData());
  for (int i = 0; i < 100; ++i) EXPECT_EQ(s[i], 5000) << i;
}

TEST_F(EffectTest, NormalizeScales16BitByTheGainOfItsPeak) {
  Fill16(wave, 1, 8000, {20000, -20000, 100});
  EffectParams p;
  EXPECT_EQ(NormalizeRange(wave, 0, 2, ChannelMode::Mono, p), 3u);
  EXPECT_EQ(Samples16(wave), (std::vector<int16_t>{32767, -32766, 200}));
  Fill16(wave, 1, 8000, {40, -3, 0});
  EXPECT_EQ(NormalizeRange(wave, 0, 2, ChannelMode::Mono, p), 3u);
  EXPECT_EQ(Samples16(wave), (std::vector<int16_t>{30040, -2253, 0}));
  EXPECT_EQ(ports.captions.back(), "Normalizing...");
}

TEST_F(EffectTest, NormalizeOf8BitData) {
  EffectParams p;
  Fill(wave, 1, 8000, 8, {250, 10, 200});
  EXPECT_EQ(NormalizeRange(wave, 0, 2, ChannelMode::Mono, p), 3u);
  EXPECT_EQ(Bytes(wave), (std::vector<uint8_t>{250, 10, 200}));  // factor 240 / 250 = 0
  Fill(wave, 1, 8000, 8, {200, 150, 100, 0, 127, 255 - 55});
  EXPECT_EQ(NormalizeRange(wave, 0, 5, ChannelMode::Mono, p), 6u);
  EXPECT_EQ(Bytes(wave), (std::vector<uint8_t>{255, 172, 73, 0, 127, 255}));
}

TEST_F(EffectTest, InvertMirrorsEverySampleOfTheRange) {
  Fill(wave, 1, 8000, 8, {0, 200, 128, 1});
  EXPECT_EQ(InvertRange(wave, 0, 3, ChannelMode::Mono), 4u);
  EXPECT_EQ(Bytes(wave), (std::vector<uint8_t>{0, 56, 128, 255}));
  Fill16(wave, 2, 8000, {-32768, 5, 32767, 6});
  EXPECT_EQ(InvertRange(wave, 0, 1, ChannelMode::Left), 2u);
  EXPECT_EQ(Samples16(wave), (std::vector<int16_t>{-32768, 5, -32767, 6}));
}

TEST_F(EffectTest, ReverseExchangesFramesInEachChannel) {
  EffectParams p;
  Fill16(wave, 2, 8000, {1, 2, 3, 4});
  EXPECT_EQ(ReverseRange(wave, 0, 1, ChannelMode::Both, p), 2u);
  EXPECT_EQ(Samples16(wave), (std::vector<int16_t>{3, 4, 1, 2}));

  Fill(wave, 2, 8000, 8, Staircase8(10));
  EXPECT_EQ(ReverseRange(wave, 1, 3, ChannelMode::Right, p), 3u);
  EXPECT_EQ(Bytes(wave), (std::vector<uint8_t>{0, 1, 2, 7, 4, 5, 6, 3, 8, 9}));

  Fill(wave, 2, 8000, 8, Staircase8(10));
  EXPECT_EQ(ReverseRange(wave, 0, 4, ChannelMode::Both, p), 5u);
  EXPECT_EQ(Bytes(wave), (std::vector<uint8_t>{8, 9, 6, 7, 4, 5, 2, 3, 0, 1}));

  Fill(wave, 1, 8000, 16, Staircase16(5));
  EXPECT_EQ(ReverseRange(wave, 0, 4, ChannelMode::Mono, p), 5u);
  EXPECT_EQ(Samples16(wave), (std::vector<int16_t>{4, 3, 2, 1, 0}));
  EXPECT_EQ(ports.captions.back(), "Revers...");
}

TEST_F(EffectTest, SignednessFlipIsItsOwnInverseAndRefuses16Bit) {
  EffectParams p;
  Fill(wave, 1, 8000, 8, Staircase8(256));
  EXPECT_EQ(ConvertSignedness(wave, 0, 255, ChannelMode::Mono, p), 256u);
  EXPECT_EQ(Bytes(wave)[0], 128);
  EXPECT_EQ(Bytes(wave)[200], 72);
  EXPECT_EQ(ConvertSignedness(wave, 0, 255, ChannelMode::Mono, p), 256u);
  EXPECT_EQ(Bytes(wave), Staircase8(256));
  Fill16(wave, 1, 8000, {1, 2});
  EXPECT_EQ(ConvertSignedness(wave, 0, 1, ChannelMode::Mono, p), 0u);
  EXPECT_EQ(ports.messages, std::vector<int>{1027});
}

TEST_F(EffectTest, DcOffsetWrapsAroundWithoutLimiting) {
  Fill(wave, 1, 8000, 8, {250, 0, 128});
  EXPECT_EQ(Apply(kDcOffset, 10), 3u);
  EXPECT_EQ(Bytes(wave), (std::vector<uint8_t>{4, 10, 138}));
  EXPECT_EQ(Apply(kDcOffset, -1), 3u);
  EXPECT_EQ(Bytes(wave), (std::vector<uint8_t>{3, 9, 137}));
  Fill16(wave, 2, 8000, {32767, 1, 0, 1});
  EXPECT_EQ(Apply(kDcOffset, 65537, 0, 0, 0, ChannelMode::Left), 2u);
  EXPECT_EQ(Samples16(wave), (std::vector<int16_t>{-32768, 1, 1, 1}));
}

}  // namespace
}  // namespace tarkel::test
