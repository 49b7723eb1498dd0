// The level ramp against the rule written out sample by sample: every run-length shortcut of the
// ramp must give the same samples.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "samples/LevelRamp.h"
#include "samples/SampleMath.h"
#include "EffectTestSupport.h"

namespace tarkel::test {
namespace {

// The rule: sample i scaled by m / L; when the counter reaches u the level moves one unit toward
// the end level and the counter restarts.
template <class T>
void RampByTheRule(std::vector<T>& s, int32_t startPercent, int32_t endPercent) {
  const int64_t total = int64_t(s.size());
  const int64_t start = std::max(startPercent, 0), end = std::max(endPercent, 0);
  int64_t m = total * start / 100;
  const int64_t e = end == 0 ? 0 : total * end / 100;
  const int64_t d = m > e ? m - e : e - m;
  int64_t u = 1;
  if (d > 1) {
    u = total / d;
    if (u == 1 && total % d != 0) u += 1;
  }
  int64_t counter = 0;
  for (T& v : s) {
    if constexpr (sizeof(T) == 2) v = LimitTo16(float(v) * float(m) / float(total));
    else v = ScaleByte(v, uint64_t(m), uint64_t(total));
    if (m != e && counter == u) {
      m += e < m ? -1 : 1;
      counter = 0;
    }
    ++counter;
  }
}

class LevelRampRule : public EffectTest {};

TEST_F(LevelRampRule, EveryShortcutGivesTheSamplesOfTheRule) {
  std::mt19937 random(7);
  const std::pair<int32_t, int32_t> levels[] = {{100, 0}, {0, 100}, {50, 50}, {100, 99}, {0, 1},  {30, 70},
                                                {200, 0}, {100, 30}, {-20, 60}, {100, 60}, {99, 100}};
  for (const size_t count : {size_t(1), size_t(2), size_t(3), size_t(17), size_t(1000), size_t(4099), size_t(70001)}) {
    for (const auto& [from, to] : levels) {
      SCOPED_TRACE(testing::Message() << count << " samples, " << from << " to " << to);
      std::vector<int16_t> s16(count);
      for (int16_t& v : s16) v = int16_t(random());
      std::vector<int16_t> expected16 = s16;
      RampByTheRule(expected16, from, to);
      Fill16(wave, 1, 8000, s16);
      ASSERT_TRUE(RampLevel(wave, RegionOf(wave, wave.Data(), wave.DataSize(), ChannelMode::Mono), from, to));
      EXPECT_EQ(Samples16(wave), expected16);

      std::vector<uint8_t> s8(count);
      for (uint8_t& v : s8) v = uint8_t(random());
      std::vector<uint8_t> expected8 = s8;
      RampByTheRule(expected8, from, to);
      Fill(wave, 1, 8000, 8, s8);
      ASSERT_TRUE(RampLevel(wave, RegionOf(wave, wave.Data(), wave.DataSize(), ChannelMode::Mono), from, to));
      EXPECT_EQ(Bytes(wave), expected8);
    }
  }
}

}  // namespace
}  // namespace tarkel::test
