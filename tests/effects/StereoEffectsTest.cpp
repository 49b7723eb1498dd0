// Channel swap, match, crossfade and Fusion (built on TransferSamples).
#include "EffectTestSupport.h"

namespace tarkel::test {
namespace {

using namespace effect;

std::vector<int16_t> Stereo16(size_t frames, int16_t left, int16_t right) {
  std::vector<int16_t> v(frames * 2);
  for (size_t i = 0; i < frames; ++i) {
    v[2 * i] = left;
    v[2 * i + 1] = right;
  }
  return v;
}

TEST_F(EffectTest, SwapExchangesTheChannelsOfTheRange) {
  Fill16(wave, 2, 8000, StereoStaircase16(6));
  EffectParams p;
  EXPECT_EQ(SwapChannels(wave, 1, 4, ChannelMode::Both, p), 4u);
  const auto out = Samples16(wave);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[1], 1000);
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(out[2 * i], 1000 + i);
    EXPECT_EQ(out[2 * i + 1], i);
  }
  EXPECT_EQ(out[10], 5);
  EXPECT_EQ(ports.captions, std::vector<std::string>{"Channel swap..."});
}

TEST_F(EffectTest, SwapAndMatchRefuseMonoSounds) {
  Fill16(wave, 1, 8000, Constant16(10, 3));
  EffectParams p;
  EXPECT_EQ(SwapChannels(wave, 0, 9, ChannelMode::Mono, p), 0u);
  EXPECT_EQ(MatchChannels(wave, 0, 9, ChannelMode::Mono, p), 0u);
  EXPECT_EQ(ports.messages, (std::vector<int>{1000, 1000}));
}

TEST_F(EffectTest, MatchSetsBothChannelsToTheirMeanAtTheOldPeak) {
  Fill16(wave, 2, 8000, Stereo16(8, 1000, 0));
  EffectParams p;
  EXPECT_EQ(MatchChannels(wave, 0, 7, ChannelMode::Both, p), 8u);
  EXPECT_EQ(Samples16(wave), Stereo16(8, 1000, 1000));
}

TEST_F(EffectTest, CrossoverMovesOneChannelIntoTheOther) {
  Fill16(wave, 2, 8000, Stereo16(101, 1000, 0));
  EffectParams p(kCrossover, 100, 0, 1, 0);
  EXPECT_EQ(CrossoverChannels(wave, 0, 100, ChannelMode::Both, p), 101u);
  const auto out = Samples16(wave);
  // The segments cover last - first frames; the last frame keeps the peak, so the mean's
  // halving is not compensated.
  EXPECT_EQ(out[0], 500);
  EXPECT_EQ(out[1], 0);
  EXPECT_NEAR(out[2 * 99], 0, 15);
  EXPECT_NEAR(out[2 * 99 + 1], 500, 15);
  EXPECT_EQ(out[2 * 100], 1000);
  EXPECT_EQ(out[2 * 100 + 1], 0);
}

TEST_F(EffectTest, CrossoverCanSwapTheRestOfTheSound) {
  Fill16(wave, 2, 8000, Stereo16(20, 1000, 0));
  EffectParams p(kCrossover, 100, 100, 1, 1);
  EXPECT_EQ(CrossoverChannels(wave, 0, 9, ChannelMode::Both, p), 10u);
  const auto out = Samples16(wave);
  EXPECT_EQ(out[2 * 15], 0);
  EXPECT_EQ(out[2 * 15 + 1], 1000);
}

TEST_F(EffectTest, FusionMixesTheHalvesAndRemovesTheSecond) {
  std::vector<int16_t> s(100, 0);
  for (int i = 0; i < 50; ++i) s[i] = 1000;
  Fill16(wave, 1, 8000, s);
  EffectParams p(kFusion, 100, 100);
  EXPECT_EQ(CrossfadeHalves(wave, 0, 99, ChannelMode::Mono, p), 100u);
  EXPECT_EQ(Samples16(wave), Constant16(50, 1000));
}

TEST_F(EffectTest, FusionPreviewKeepsTheSoundAndHoldsTheFirstHalf) {
  std::vector<int16_t> s(100, 0);
  for (int i = 0; i < 50; ++i) s[i] = 1000;
  Fill16(wave, 1, 8000, s);
  EffectParams p(kFusion, 100, 100);
  p.preview = 1;
  EXPECT_EQ(CrossfadeHalves(wave, 0, 99, ChannelMode::Mono, p), 100u);
  EXPECT_EQ(Samples16(wave), s);
  ASSERT_EQ(wave.PreviewImage().DataSize(), 100u);
  EXPECT_EQ(reinterpret_cast<const int16_t*>(wave.PreviewData())[49], 1000);
}

}  // namespace
}  // namespace tarkel::test
