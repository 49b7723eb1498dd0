// Positions in the display units as the region window shows and reads them.
#include <gtest/gtest.h>

#include "regions/UnitText.h"

namespace tarkel::units {
namespace {

TEST(UnitText, FormatsTheKnownValues) {
  const SoundClock mono22{22050, 1, 25};
  EXPECT_EQ(FramesToText(22050, kSeconds, mono22), "1");
  EXPECT_EQ(FramesToText(22050, kMilliseconds, mono22), "1002");  // divisor 22
  const SoundClock cd{44100, 4, 25};
  EXPECT_EQ(FramesToText(44100, kSmpte, cd), "00:00:00.24");
  EXPECT_EQ(FramesToText(88200, kSmpte, cd), "00:00:01.24");
  EXPECT_EQ(FramesToText(1000, kBytes, cd, true), "4000 byte");
  EXPECT_EQ(FramesToText(1000, kSamples, cd, true), "1000 samples");
  EXPECT_EQ(FramesToText(1000, kBeats, cd), "n/a");
  EXPECT_EQ(FramesToText(44100, kFrames, cd), "25");
  EXPECT_EQ(FramesToText(uint64_t(44100) * 36000, kSeconds, cd), "3.6e+04");
}

TEST(UnitText, ParsesTheKnownValues) {
  const SoundClock cd{44100, 4, 25};
  EXPECT_EQ(TextToFrames("00:00:01.12", kSmpte, cd), 65268u);
  EXPECT_EQ(TextToFrames("01:00:00.00", kSmpte, cd), 3600u * 44100);
  EXPECT_EQ(TextToFrames("1.5", kSeconds, cd), 66150u);
  EXPECT_EQ(TextToFrames("1000", kMilliseconds, cd), 44100u);
  EXPECT_EQ(TextToFrames("4003", kBytes, cd), 1000u);
  EXPECT_EQ(TextToFrames("25", kFrames, cd), 44100u);
  EXPECT_EQ(TextToFrames("abc", kSamples, cd), 0u);
  EXPECT_EQ(TextToFrames("-5", kSamples, cd), 0u);
  EXPECT_EQ(TextToFrames("n/a", kBeats, cd, 777), 777u);
  // Hours of sound do not overflow.
  EXPECT_EQ(TextToFrames("20:00:00.00", kSmpte, {48000, 4, 25}), 20u * 3600 * 48000);
}

}  // namespace
}  // namespace tarkel::units
