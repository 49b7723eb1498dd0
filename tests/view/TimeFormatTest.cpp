// Positions as text in every display unit, both ways.
#include <gtest/gtest.h>

#include "view/TimeFormat.h"

namespace tarkel {
namespace {

TimeFormat At(uint32_t rate, uint16_t blockAlign = 2, uint16_t fps = 25) {
  TimeFormat t;
  t.SetFormat(rate, blockAlign);
  t.SetFrameRate(fps);
  return t;
}

TEST(TimeFormat, FormatsTheReadOutsUsersSee) {
  const TimeFormat t = At(22050);
  EXPECT_EQ(t.Format(22050, DisplayUnit::Seconds), "1");
  EXPECT_EQ(t.Format(22050, DisplayUnit::Milliseconds), "1000");  // n x 1000 / r, not n / (r / 1000)
  EXPECT_EQ(t.Format(33075, DisplayUnit::Seconds, true), "1.5 sec");
  EXPECT_EQ(t.Format(1234, DisplayUnit::Samples, true), "1234 samples");
  EXPECT_EQ(At(44100, 4).Format(1000, DisplayUnit::Bytes, true), "4000 byte");
  EXPECT_EQ(t.Format(5, DisplayUnit::Beats, true), "n/a");
  // Four significant digits; the exponent form from 10000 seconds up.
  EXPECT_EQ(At(1000).Format(1234567, DisplayUnit::Seconds), "1235");
  EXPECT_EQ(At(1000).Format(12345678, DisplayUnit::Seconds), "1.235e+04");
  EXPECT_EQ(At(44100, 4, 25).Format(44100, DisplayUnit::Frames, true), "25 frames");
  EXPECT_EQ(At(44100, 4, 30).Format(66150, DisplayUnit::Frames), "45");
}

TEST(TimeFormat, SmpteCountsWholeSecondsExactly) {
  const TimeFormat t = At(44100, 4, 25);
  EXPECT_EQ(t.Format(44100, DisplayUnit::Smpte), "00:00:01.00");
  EXPECT_EQ(t.Format(88200, DisplayUnit::Smpte), "00:00:02.00");
  EXPECT_EQ(t.Format(65268, DisplayUnit::Smpte, true), "00:00:01.12 (hh:mm:ss.fr)");
  EXPECT_EQ(t.Format(44099, DisplayUnit::Smpte), "00:00:00.24");
  EXPECT_EQ(t.Format(3600u * 44100 + 61 * 44100, DisplayUnit::Smpte), "01:01:01.00");
  EXPECT_EQ(t.Parse(DisplayUnit::Smpte, "00:00:01.12"), 65268u);
  EXPECT_EQ(t.Parse(DisplayUnit::Smpte, "01:00:00.00"), 3600u * 44100);
  EXPECT_EQ(At(8000, 1, 29).Parse(DisplayUnit::Smpte, "00:00:00.28"), 8000u * 28 / 29);
}

TEST(TimeFormat, ParsesEachUnit) {
  const TimeFormat t = At(44100, 4, 25);
  EXPECT_EQ(t.Parse(DisplayUnit::Samples, "123"), 123u);
  EXPECT_EQ(t.Parse(DisplayUnit::Seconds, "1.5"), 66150u);
  EXPECT_EQ(t.Parse(DisplayUnit::Seconds, "0.3"), 13230u);  // exact, no 13229 from binary fractions
  EXPECT_EQ(t.Parse(DisplayUnit::Milliseconds, "1001"), 44144u);
  EXPECT_EQ(t.Parse(DisplayUnit::Bytes, "4003"), 1000u);
  EXPECT_EQ(t.Parse(DisplayUnit::Frames, "12.5"), 22050u);
  EXPECT_FALSE(t.Parse(DisplayUnit::Beats, "1"));
  for (const char* bad : {"", "x", "1.2.3", "-5", "1e3"}) EXPECT_FALSE(t.Parse(DisplayUnit::Samples, bad)) << bad;
  EXPECT_FALSE(t.Parse(DisplayUnit::Smpte, "1:2:3:4.00"));
  EXPECT_FALSE(t.Parse(DisplayUnit::Samples, "4294967296"));
}

TEST(TimeFormat, ConvertPositionKeepsTheParsedValueAndGivesNaForBeats) {
  TimeFormat t = At(44100, 4, 25);
  std::string out;
  EXPECT_TRUE(t.ConvertPosition(DisplayUnit::Smpte, "00:00:01.12", DisplayUnit::Samples, out, false));
  EXPECT_EQ(out, "65268");
  EXPECT_EQ(t.Value(), 65268u);
  EXPECT_FALSE(t.ConvertPosition(DisplayUnit::Beats, "7", DisplayUnit::Beats, out, true));
  EXPECT_EQ(out, "n/a");
  EXPECT_EQ(t.Value(), 65268u);  // beats leave the previous value
  EXPECT_TRUE(t.ConvertPosition(DisplayUnit::Samples, "garbage", DisplayUnit::Milliseconds, out, true));
  EXPECT_EQ(out, "0 ms");
}

TEST(TimeFormat, RoundTripsInEveryUnitAtCommonRates) {
  for (uint32_t rate : {8000u, 22050u, 44100u, 96000u}) {
    for (uint16_t fps : {25, 24, 30, 29, 100}) {
      const TimeFormat t = At(rate, 4, fps);
      for (uint32_t frames : {0u, 1u, rate - 1, rate, 3 * rate + rate / 7, 3599u * rate + 17}) {
        const std::string context = std::to_string(rate) + " Hz, " + std::to_string(fps) + " fps, " +
                                    std::to_string(frames) + " frames";
        // Exact units: frames -> text -> frames.
        for (DisplayUnit u : {DisplayUnit::Samples, DisplayUnit::Bytes})
          EXPECT_EQ(t.Parse(u, t.Format(frames, u)), frames) << context;
        // SMPTE: text -> frames -> text gives the same text, and the frames lie at or before.
        const std::string smpte = t.Format(frames, DisplayUnit::Smpte);
        const auto back = t.Parse(DisplayUnit::Smpte, smpte);
        ASSERT_TRUE(back) << smpte;
        EXPECT_EQ(t.Format(*back, DisplayUnit::Smpte), smpte) << context;
        EXPECT_LE(*back, frames);
        EXPECT_LT(frames - *back, rate / fps + 1) << context;
        // Milliseconds: back within one millisecond's frames.
        const auto ms = t.Parse(DisplayUnit::Milliseconds, t.Format(frames, DisplayUnit::Milliseconds));
        ASSERT_TRUE(ms);
        EXPECT_LE(*ms, frames);
        EXPECT_LE(frames - *ms, rate / 1000 + 1) << context;
        // Seconds and frames show 4 and 5 significant digits: back within that precision.
        for (DisplayUnit u : {DisplayUnit::Seconds, DisplayUnit::Frames}) {
          const std::string text = t.Format(frames, u);
          const auto parsed = t.Parse(u, text);
          ASSERT_TRUE(parsed) << text;
          EXPECT_NEAR(double(*parsed), double(frames), frames * 1e-3 + double(rate) / fps + 1) << context << ' ' << text;
        }
      }
    }
  }
}

TEST(TimeFormat, TwelveHoursDoNotOverflow) {
  for (uint32_t rate : {8000u, 22050u, 44100u, 96000u}) {
    const TimeFormat t = At(rate, 4, 25);
    const uint32_t frames = 12u * 3600u * rate;  // 4147200000 at 96 kHz still fits 32 bits
    EXPECT_EQ(t.Format(frames, DisplayUnit::Smpte), "12:00:00.00");
    EXPECT_EQ(t.Format(frames, DisplayUnit::Milliseconds), "43200000");
    EXPECT_EQ(t.Format(frames, DisplayUnit::Bytes), std::to_string(uint64_t(frames) * 4));
    EXPECT_EQ(t.Parse(DisplayUnit::Smpte, "12:00:00.00"), frames);
    EXPECT_EQ(t.Parse(DisplayUnit::Milliseconds, "43200000"), frames);
    EXPECT_EQ(t.Parse(DisplayUnit::Seconds, "43200"), frames);
  }
  EXPECT_FALSE(At(96000).Parse(DisplayUnit::Smpte, "13:00:00.00"));  // beyond 32-bit frames
}

TEST(TimeFormat, SplitsSelectionPairsAfterACompletePosition) {
  EXPECT_EQ(SplitPositionPair("00:00:01.00:00:00:02.00", DisplayUnit::Smpte),
            std::make_pair(std::string("00:00:01.00"), std::string("00:00:02.00")));
  EXPECT_EQ(SplitPositionPair("1.5:3", DisplayUnit::Seconds), std::make_pair(std::string("1.5"), std::string("3")));
  EXPECT_FALSE(SplitPositionPair("1:2:3", DisplayUnit::Seconds));
  EXPECT_FALSE(SplitPositionPair("00:00:01", DisplayUnit::Smpte));
}

}  // namespace
}  // namespace tarkel
