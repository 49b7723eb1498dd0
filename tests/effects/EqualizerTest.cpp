#include "effects/Equalizer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "effects/SpectralFilter.h"
#include "support/Signals.h"

namespace tarkel {
namespace {

TEST(Equalizer, BandEndsBelongToTheLowerBand) {
  EXPECT_EQ(EqualizerBand(0), 0);
  EXPECT_EQ(EqualizerBand(750), 0);
  EXPECT_EQ(EqualizerBand(751), 1);
  EXPECT_EQ(EqualizerBand(1500), 1);
  EXPECT_EQ(EqualizerBand(1501), 2);
  EXPECT_EQ(EqualizerBand(2600), 2);
  EXPECT_EQ(EqualizerBand(2601), 3);
  EXPECT_EQ(EqualizerBand(5000), 3);
  EXPECT_EQ(EqualizerBand(5001), 4);
  EXPECT_EQ(EqualizerBand(22050), 4);
}

TEST(Equalizer, EachBinTakesTheGainOfItsWholeHertz) {
  const auto g = EqualizerGains(kEqualizerBlockLength, 44100, {0.1, 0.2, 0.3, 0.4, 0.5});
  ASSERT_EQ(g.size(), kEqualizerBlockLength / 2 + 1);
  EXPECT_DOUBLE_EQ(g[0], 0.1);
  EXPECT_DOUBLE_EQ(g[kEqualizerBlockLength / 2], 0.5);
  for (uint32_t k = 0; k <= kEqualizerBlockLength / 2; ++k) {
    const uint32_t hz = uint32_t(uint64_t(k) * 44100 / kEqualizerBlockLength);
    ASSERT_DOUBLE_EQ(g[k], 0.1 * (EqualizerBand(hz) + 1)) << k;
  }
}

}  // namespace
}  // namespace tarkel
