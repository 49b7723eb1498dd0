// Half-wave filters and the noise gate.
#include "EffectTestSupport.h"

namespace tarkel::test {
namespace {

using namespace effect;

// Runs of `above` and `below` values with the given lengths, alternating, starting above.
std::vector<uint8_t> HalfWaves8(std::initializer_list<int> lengths, uint8_t above, uint8_t below) {
  std::vector<uint8_t> v;
  bool up = true;
  for (int n : lengths) {
    v.insert(v.end(), size_t(n), up ? above : below);
    up = !up;
  }
  return v;
}

TEST_F(EffectTest, HighPassHalvesHalfWavesOfAtLeastTwiceN) {
  // Crossings at 30, 49 and 79: the half-wave ending at 49 has 19 samples and stays; the one
  // ending at 79 has 30 and is halved from the sample after 49 up to 79 inclusive.
  Fill(wave, 1, 8000, 8, HalfWaves8({30, 19, 30, 21}, 200, 50));
  EXPECT_EQ(Apply(kHighPass, 10), 100u);
  const auto out = Bytes(wave);
  EXPECT_EQ(out[0], 200);    // before the first crossing: skipped
  EXPECT_EQ(out[31], 50);    // in the short half-wave
  EXPECT_EQ(out[49], 200);   // the crossing sample of the long half-wave's start
  EXPECT_EQ(out[50], 164);   // 200 + (128 - 200) / 2
  EXPECT_EQ(out[78], 164);
  EXPECT_EQ(out[79], 88);    // 50 + (127 - 50) / 2
  EXPECT_EQ(out[80], 50);    // the last half-wave has no crossing after it
}

TEST_F(EffectTest, LowPassAndBoostsOn16BitData) {
  std::vector<int16_t> s;
  for (int k = 0; k < 6; ++k) s.insert(s.end(), 4, k % 2 ? -20000 : 20000);
  Fill16(wave, 1, 8000, s);
  EXPECT_EQ(Apply(kBoostShort, 2), 24u);  // half-waves of 4 <= 3 x 2
  auto out = Samples16(wave);
  EXPECT_EQ(out[5], -30000);
  EXPECT_EQ(out[8], 30000);   // the crossing sample that ends the half-wave
  Fill16(wave, 1, 8000, s);
  EXPECT_EQ(Apply(kLowPass, 1), 24u);  // 4 > 3 x 1: nothing passes
  EXPECT_EQ(Samples16(wave), s);
  Fill16(wave, 1, 8000, {-5, 30000, 30000, -5, -32768, 32767, 2});
  EXPECT_EQ(Apply(kBoostLong, 1), 7u);
  EXPECT_EQ(Samples16(wave), (std::vector<int16_t>{-5, 30000, 32767, -7, -32768, 32767, 2}));
}

TEST_F(EffectTest, HalvingAndBoostingLeaveTheLimitsAlone) {
  Fill(wave, 1, 8000, 8, {127, 255, 128, 0, 127, 200, 1, 250});
  EXPECT_EQ(Apply(kBoostLong, 1), 8u);
  EXPECT_EQ(Bytes(wave), (std::vector<uint8_t>{127, 255, 128, 0, 127, 236, 0, 255}));
}

TEST_F(EffectTest, NoiseGateSilencesLongQuietRunsThatALoudSampleEnds) {
  // With threshold 0 every 8-bit value but 128 is loud.
  std::vector<uint8_t> v(1, 200);
  v.insert(v.end(), 200, 128);  // long quiet run: silenced
  v.push_back(60);
  v.insert(v.end(), 100, 128);  // short: kept
  v.push_back(200);
  v.insert(v.end(), 300, 128);  // at the end, never ended: kept
  Fill(wave, 1, 8000, 8, v);
  EXPECT_EQ(Apply(kNoiseGate, 0), uint32_t(v.size()));
  const auto out = Bytes(wave);
  EXPECT_EQ(out[0], 200);
  EXPECT_EQ(out[1], 127);
  EXPECT_EQ(out[200], 127);
  EXPECT_EQ(out[201], 60);
  EXPECT_EQ(out[202], 128);
  EXPECT_EQ(out[303], 128);
}

TEST_F(EffectTest, NoiseGateThresholdFor16BitIsScaledBy128) {
  std::vector<int16_t> s(130, 255);  // within 2 x 128
  s.push_back(257);                  // loud
  Fill16(wave, 1, 8000, s);
  EXPECT_EQ(Apply(kNoiseGate, 2), 131u);
  const auto out = Samples16(wave);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[129], 0);
  EXPECT_EQ(out[130], 257);
}

}  // namespace
}  // namespace tarkel::test
