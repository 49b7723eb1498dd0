// Format conversion: the converter's exact sizes and directions, Convert Format and Data with
// its question and rollback, Change Format w/o Data, and the edit previews.
#include <gtest/gtest.h>

#include "EditTestSupport.h"
#include "sound/AppContext.h"
#include "sound/MessageIds.h"
#include "editing/EditPreview.h"
#include "editing/FormatConverter.h"
#include "editing/SampleFormatConversion.h"
#include "support/Signals.h"
#include "support/TestPorts.h"

namespace tarkel {
namespace {

TEST(FormatConverter, SizeIsExactlyWhatTheConversionProduces) {
  struct Case {
    WaveFormat from, to;
  };
  const Case cases[] = {
      {WaveFormat::Pcm(1, 22050, 8), WaveFormat::Pcm(2, 44100, 16)},
      {WaveFormat::Pcm(2, 44100, 16), WaveFormat::Pcm(1, 8000, 8)},
      {WaveFormat::Pcm(2, 48000, 16), WaveFormat::Pcm(2, 44100, 16)},
      {WaveFormat::Pcm(1, 11025, 16), WaveFormat::Pcm(1, 11025, 8)},
  };
  for (const Case& c : cases) {
    for (uint32_t frames : {0u, 1u, 7u, 1000u, 44101u}) {
      FormatConverter conv;
      ASSERT_EQ(conv.Open(c.from, c.to), 0);
      const uint32_t bytes = frames * c.from.BlockAlign();
      const std::vector<uint8_t> src(bytes, 0x40);
      const uint64_t size = conv.DestinationSize(bytes);
      std::vector<uint8_t> dst(size + 16, 0xA5);
      ASSERT_TRUE(conv.Convert(src.data(), bytes, dst.data()));
      EXPECT_EQ(size, uint64_t(frames) * c.to.SamplesPerSec() / c.from.SamplesPerSec() * c.to.BlockAlign());
      for (size_t i = size; i < dst.size(); ++i) ASSERT_EQ(dst[i], 0xA5) << "wrote past the reported size";
    }
  }
}

TEST(FormatConverter, ChannelsAndWidthsMapAsExpected) {
  FormatConverter conv;
  ASSERT_EQ(conv.Open(WaveFormat::Pcm(1, 8000, 8), WaveFormat::Pcm(2, 8000, 16)), 0);
  const std::vector<uint8_t> src = {0, 128, 255};
  std::vector<uint8_t> dst(12);
  ASSERT_TRUE(conv.Convert(src.data(), 3, dst.data()));
  DocWaveAudio w;
  test::Fill(w, 2, 8000, 16, dst);
  EXPECT_EQ(test::Samples16(w), (std::vector<int16_t>{-32768, -32768, 0, 0, 32512, 32512}));

  ASSERT_EQ(conv.Open(WaveFormat::Pcm(2, 8000, 16), WaveFormat::Pcm(1, 8000, 8)), 0);
  std::vector<uint8_t> back(3);
  ASSERT_TRUE(conv.Convert(dst.data(), 12, back.data()));
  EXPECT_EQ(back, src);
}

TEST(FormatConverter, RefusesWhatItCannotConvert) {
  FormatConverter conv;
  EXPECT_EQ(conv.Open(WaveFormat::Make(2, 1, 22050, 4), WaveFormat::Pcm(1, 22050, 8)), msg::kAcmOpen);
  EXPECT_EQ(conv.Open(WaveFormat::Pcm(1, 22050, 24), WaveFormat::Pcm(1, 22050, 8)), msg::kAcmOpen);
  EXPECT_EQ(conv.Open(WaveFormat::Pcm(3, 22050, 8), WaveFormat::Pcm(1, 22050, 8)), msg::kAcmOpen);
  EXPECT_EQ(conv.Open(WaveFormat::Pcm(1, 0, 8), WaveFormat::Pcm(1, 22050, 8)), msg::kAcmOpen);
}

TEST(FormatConverter, RateConversionIsRepeatableAndKeepsATone) {
  const std::vector<int16_t> sine = test::Sine16(440, 22050, 22050, 20000);
  const auto* bytes = reinterpret_cast<const uint8_t*>(sine.data());
  FormatConverter conv;
  ASSERT_EQ(conv.Open(WaveFormat::Pcm(1, 22050, 16), WaveFormat::Pcm(1, 44100, 16)), 0);
  std::vector<uint8_t> a(conv.DestinationSize(44100)), b(a.size());
  ASSERT_TRUE(conv.Convert(bytes, 44100, a.data()));
  ASSERT_TRUE(conv.Convert(bytes, 44100, b.data()));
  EXPECT_EQ(a, b);
  DocWaveAudio w;
  test::Fill(w, 1, 44100, 16, a);
  const std::vector<int16_t> out = test::Samples16(w);
  // Sample 2k of the output lies on input sample k.
  for (int k = 1000; k < 1010; ++k) EXPECT_NEAR(out[2 * k], sine[k], 60) << k;
}

class ConvertSample : public ::testing::Test {
 protected:
  ConvertSample() { test::Fill(wave, 1, 22050, 16, test::Staircase16(100)); }
  test::RecordingPorts ports;
  DocWaveAudio wave;
};

TEST_F(ConvertSample, ShrinkingAsksAndNoKeepsTheSound) {
  ports.chooserResult = kChooseOk;
  ports.chosenFormat = WaveFormat::Pcm(1, 22050, 8);
  EXPECT_FALSE(ConvertSampleFormat(wave));
  EXPECT_EQ(ports.chooserTitles, std::vector<std::string>{"Convert sample"});
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kQualityLoss});
  EXPECT_EQ(test::Bytes(wave), test::Staircase16(100));
  EXPECT_EQ(wave.BitsPerSample(), 16);

  ports.answers = {true};
  ASSERT_TRUE(ConvertSampleFormat(wave));
  EXPECT_EQ(wave.BitsPerSample(), 8);
  EXPECT_EQ(wave.DataSize(), 100u);
}

TEST_F(ConvertSample, GrowingEightTimesAsksNothing) {
  test::Fill(wave, 1, 22050, 8, test::Staircase8(100));
  ports.chooserResult = kChooseOk;
  ports.chosenFormat = WaveFormat::Pcm(2, 44100, 16);
  ASSERT_TRUE(ConvertSampleFormat(wave));
  EXPECT_EQ(wave.DataSize(), 800u);
  EXPECT_EQ(wave.Channels(), 2);
  EXPECT_TRUE(ports.messages.empty());
}

TEST_F(ConvertSample, CancelShowsNothingAndErrorsShowTheirMessages) {
  EXPECT_FALSE(ConvertSampleFormat(wave));
  ports.chooserResult = kChooseNotPossible;
  EXPECT_FALSE(ConvertSampleFormat(wave));
  ports.chooserResult = kChooseBusy;
  EXPECT_FALSE(ConvertSampleFormat(wave));
  ports.chooserResult = 999;
  EXPECT_FALSE(ConvertSampleFormat(wave));
  EXPECT_EQ(ports.messages, (std::vector<int>{msg::kGeneralError, msg::kNotPossibleNow, msg::kUnknownAcmError}));
  EXPECT_EQ(test::Bytes(wave), test::Staircase16(100));
}

TEST_F(ConvertSample, AFormatTheConverterCannotDoLeavesTheSoundAsItWas) {
  ports.chooserResult = kChooseOk;
  ports.chosenFormat = WaveFormat::Make(2, 1, 22050, 4);
  EXPECT_FALSE(ConvertSampleFormat(wave));
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kAcmOpen});
  EXPECT_EQ(wave.Format().FormatTag(), 1);
  EXPECT_EQ(wave.Frames(), 100u);
  EXPECT_EQ(test::Bytes(wave), test::Staircase16(100));
}

TEST_F(ConvertSample, ChangeFormatWithoutDataKeepsTheBytes) {
  test::Fill(wave, 1, 22050, 8, test::Staircase8(100));
  ports.chooserResult = kChooseOk;
  ports.chosenFormat = WaveFormat::Pcm(1, 22050, 16);
  ASSERT_TRUE(ChangeFormatWithoutData(wave));
  EXPECT_EQ(wave.Frames(), 50u);
  EXPECT_EQ(test::Bytes(wave), test::Staircase8(100));
}

TEST(EditPreview, BuildsTheRangesTheEditWouldPlay) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  test::Fill(wave, 1, 22050, 8, test::Staircase8(100));
  ports.clipboard = test::WaveImageOf(1, 22050, 8, std::vector<uint8_t>(30, 1));
  using R = PreviewRange;
  const auto D = PreviewSource::Document;
  const auto C = PreviewSource::Clipboard;
  struct Case {
    PreviewKind kind;
    uint32_t first, last;
    std::vector<R> expected;
  };
  const Case cases[] = {
      {PreviewKind::Cut, 10, 19, {{0, 10, D}, {20, 100, D}}},
      {PreviewKind::Delete, 0, 19, {{20, 100, D}}},
      {PreviewKind::Trim, 10, 19, {{10, 20, D}}},
      {PreviewKind::Paste, 10, 10, {{0, 10, D}, {0, 30, C}, {10, 100, D}}},
      {PreviewKind::Paste, 0, 0, {{0, 2, D}, {0, 30, C}, {2, 100, D}}},
      {PreviewKind::PasteOver, 80, 80, {{0, 80, D}, {0, 20, C}}},
      {PreviewKind::PasteOver, 10, 10, {{0, 10, D}, {0, 30, C}, {40, 100, D}}},
      {PreviewKind::PasteOverExactly, 10, 19, {{0, 10, D}, {0, 10, C}, {20, 100, D}}},
  };
  for (const Case& c : cases) {
    bool ok = false;
    EXPECT_EQ(BuildPreview(wave, c.kind, c.first, c.last, ChannelMode::Mono, ok), c.expected) << int(c.kind);
    EXPECT_TRUE(ok);
  }
  EXPECT_FALSE(wave.WorkImage().Empty());  // the converted clipboard data waits for playback
  ports.clipboardOpens = false;
  bool ok = true;
  EXPECT_TRUE(BuildPreview(wave, PreviewKind::Paste, 10, 10, ChannelMode::Mono, ok).empty());
  EXPECT_FALSE(ok);
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kPreviewError});
}

}  // namespace
}  // namespace tarkel
