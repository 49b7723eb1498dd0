// Vibrato: the trapezoid level cycle.
#include "EffectTestSupport.h"

namespace tarkel::test {
namespace {

using namespace effect;

// 8,000 Hz 16-bit mono with a period of 100 ms: K = 800 samples.
TEST_F(EffectTest, VibratoWithEqualLevelsHoldsTheLowGain) {
  Fill16(wave, 1, 8000, Constant16(3000, 1000));
  EffectParams p(kVibrato, 1, 100, 50, 50);
  EXPECT_EQ(ApplyEffect(wave, 0, 2999, ChannelMode::Mono, p), 3000u);
  EXPECT_EQ(p.effectId, kRampRising);
  EXPECT_EQ(Samples16(wave), Constant16(3000, 500));
}

TEST_F(EffectTest, VibratoFromSilenceToFullIsATriangle) {
  Fill16(wave, 1, 8000, Constant16(2000, 10000));
  EXPECT_EQ(Apply(kVibrato, 1, 100, 0, 100), 2000u);
  const auto out = Samples16(wave);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[200], 5000);
  EXPECT_EQ(out[400], 10000);
  EXPECT_EQ(out[600], 5000);
  EXPECT_EQ(out[800], 0);
  EXPECT_EQ(out[1000], 5000);
}

TEST_F(EffectTest, VibratoOnOneChannelCountsThatChannelsSamples) {
  // One channel of 16-bit stereo: K is a quarter of the period's bytes, so again 800 frames.
  Fill16(wave, 2, 8000, Constant16(2 * 1000, 10000));
  EXPECT_EQ(Apply(kVibrato, 1, 100, 0, 100, ChannelMode::Left), 1000u);
  const auto out = Samples16(wave);
  EXPECT_EQ(out[2 * 200], 5000);
  EXPECT_EQ(out[2 * 400], 10000);
  EXPECT_EQ(out[2 * 200 + 1], 10000);
}

TEST_F(EffectTest, VibratoWithAPeriodBelowTwoSamplesEnds) {
  Fill(wave, 1, 8000, 8, std::vector<uint8_t>(100, 200));
  EXPECT_EQ(Apply(kVibrato, 1000, 0, 30, 60), 100u);
}

}  // namespace
}  // namespace tarkel::test
