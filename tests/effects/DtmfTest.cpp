#include "effects/Dtmf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

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
