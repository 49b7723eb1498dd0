// The device sheet's rate lists and the device listing of tarkel-cli.
#include <gtest/gtest.h>

#include "audio/DeviceFormats.h"

namespace tarkel::audio {
namespace {

TEST(DeviceFormats, RatesFollowTheStandardFormatBits) {
  const uint32_t only16Stereo44 = fmt::k4S16;
  EXPECT_EQ(RateTexts(only16Stereo44, FormatList::Stereo16), (std::vector<std::string>{"44kHz"}));
  EXPECT_TRUE(RateTexts(only16Stereo44, FormatList::Mono8).empty());
  EXPECT_TRUE(RateTexts(only16Stereo44, FormatList::Stereo8).empty());
  EXPECT_TRUE(RateTexts(only16Stereo44, FormatList::Mono16).empty());
  EXPECT_EQ(RateTexts(0xFFF, FormatList::Mono8), (std::vector<std::string>{"11kHz", "22kHz", "44kHz"}));
  EXPECT_EQ(RateTexts(fmt::k1M16 | fmt::k4M16, FormatList::Mono16), (std::vector<std::string>{"11kHz", "44kHz"}));
}

TEST(DeviceFormats, EveryStandardFormatHasItsOwnBit) {
  uint32_t all = 0;
  for (uint16_t bits : {8, 16})
    for (uint16_t channels : {1, 2})
      for (uint32_t rate : kStandardRates) {
        const uint32_t bit = StandardFormatBit(bits, channels, rate);
        EXPECT_NE(bit, 0u);
        EXPECT_EQ(all & bit, 0u);
        all |= bit;
      }
  EXPECT_EQ(all, 0xFFFu);
  EXPECT_EQ(StandardFormatBit(16, 2, 48000), 0u);
  EXPECT_EQ(StandardFormatBit(24, 2, 44100), 0u);
}

TEST(DeviceFormats, ListingLine) {
  EXPECT_EQ(DeviceLine(1, {"default", fmt::k4S16 | fmt::k1M08, 0}),
            "1: default | 8bit   Mono: 11kHz | 8bit Stereo: | 16bit Mono: | 16bit Stereo: 44kHz");
}

}  // namespace
}  // namespace tarkel::audio
