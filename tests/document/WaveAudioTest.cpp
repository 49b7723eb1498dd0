#include <gtest/gtest.h>

#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/WaveImage.h"
#include "support/Signals.h"
#include "support/TestPorts.h"

namespace tarkel {
namespace {

TEST(WaveAudio, StartsEmptyWithNeverHeldFrameCount) {
  WaveAudio w;
  EXPECT_EQ(w.Data(), nullptr);
  EXPECT_EQ(w.DataSize(), 0u);
  EXPECT_EQ(w.FrameCount(), kNeverHeldFrames);
  EXPECT_EQ(w.Frames(), 0u);
  EXPECT_EQ(w.RepeatCount(), 1u);
  EXPECT_EQ(w.HeaderOffset(), 0);
}

TEST(WaveAudio, NewBlocksHoldSilenceOfTheirWidth) {
  WaveAudio stereo16;
  stereo16.Format() = WaveFormat::Pcm(2, 44100, 16);
  ASSERT_NE(stereo16.AllocateData(40), nullptr);
  EXPECT_EQ(test::Bytes(stereo16), std::vector<uint8_t>(40, 0));
  EXPECT_EQ(stereo16.FrameCount(), 10u);

  WaveAudio mono8;
  mono8.Format() = WaveFormat::Pcm(1, 22050, 8);
  ASSERT_NE(mono8.AllocateData(33), nullptr);
  EXPECT_EQ(test::Bytes(mono8), std::vector<uint8_t>(33, 127));
}

TEST(WaveAudio, ResizeKeepsLeadingBytesAndFillsGrowthWithSilence) {
  WaveAudio w;
  test::Fill(w, 1, 22050, 8, test::Staircase8(10));
  ASSERT_NE(w.ResizeData(14), nullptr);
  std::vector<uint8_t> expected = test::Staircase8(10);
  expected.insert(expected.end(), 4, 127);
  EXPECT_EQ(test::Bytes(w), expected);
  EXPECT_EQ(w.FrameCount(), 14u);

  ASSERT_NE(w.ResizeData(6), nullptr);
  EXPECT_EQ(test::Bytes(w), test::Staircase8(6));
  EXPECT_EQ(w.FrameCount(), 6u);
}

TEST(WaveAudio, ResizeWithoutDataAllocates) {
  WaveAudio w;
  w.Format() = WaveFormat::Pcm(1, 8000, 16);
  ASSERT_NE(w.ResizeData(8), nullptr);
  EXPECT_EQ(w.FrameCount(), 4u);
  EXPECT_EQ(test::Bytes(w), std::vector<uint8_t>(8, 0));
}

TEST(WaveAudio, HardDiskModeRefusesHeapAllocation) {
  WaveAudio w;
  w.Format() = WaveFormat::Pcm(1, 8000, 8);
  w.SetHardDisk(true);
  EXPECT_EQ(w.AllocateData(10), nullptr);
  EXPECT_EQ(w.Data(), nullptr);
}

TEST(WaveAudio, FrameByteConversions) {
  WaveAudio w;
  w.Format() = WaveFormat::Pcm(2, 44100, 16);
  EXPECT_EQ(w.BytesToFrames(7), 1u);
  EXPECT_EQ(w.FramesToBytes(3), 12u);
  WaveAudio noFormat;
  EXPECT_EQ(noFormat.BytesToFrames(7), 0u);  // no division by a zero alignment
}

TEST(WaveFormat, CopiesHeaderAndExtraBytesButNeverPastTheBlock) {
  WaveFormat f = WaveFormat::Pcm(1, 8000, 8);
  f.SetExtraSize(2);
  f.Data()[18] = 0xAB;
  f.Data()[19] = 0xCD;
  f.Data()[20] = 0xEF;
  EXPECT_EQ(f.CopySize(), 20u);
  uint8_t out[kFormatBlockSize] = {};
  f.CopyTo(out);
  EXPECT_EQ(out[19], 0xCD);
  EXPECT_EQ(out[20], 0);

  f.SetExtraSize(5000);
  EXPECT_EQ(f.CopySize(), kFormatBlockSize);
}

TEST(WaveImage, SingleChannelHeaderHalvesAlignmentAndRate) {
  WaveAudio w;
  w.Format() = WaveFormat::Pcm(2, 44100, 16);
  WaveImage image;
  ASSERT_TRUE(image.Allocate(100));
  EXPECT_EQ(image.BlockSize(), 362u);
  image.WriteHeader(SingleChannelOf(w.Format()));
  const uint8_t* h = image.Block();
  EXPECT_EQ(GetLE32(h + 4), 136u);
  EXPECT_EQ(GetLE16(h + 22), 1u);
  EXPECT_EQ(GetLE32(h + 28), 88200u);
  EXPECT_EQ(GetLE16(h + 32), 2u);
  EXPECT_EQ(GetLE32(h + 40), 100u);
  EXPECT_TRUE(HasTag(h + 36, "data"));
}

// A 16-bit stereo job of 20,000 frames: step size = 4 × 1000 / 2 = 2000 samples.
TEST(Progress, StepsTwentyTimesOverTheJobAndShowsPercentages) {
  test::RecordingPorts ports;
  DocWaveAudio w;
  test::Fill(w, 2, 44100, 16, std::vector<uint8_t>(80000));
  ASSERT_TRUE(w.BeginProgress(20000, ChannelMode::Both, "Applying tool..."));
  EXPECT_EQ(w.ProgressStepSize(), 2000u);
  for (int i = 0; i < 40000; ++i) ASSERT_TRUE(w.ProgressTick());
  EXPECT_EQ(w.ProgressStepNumber(), 19u);  // the 20th step comes with the next sample
  ASSERT_TRUE(w.ProgressTick());
  EXPECT_EQ(ports.progressTexts.back(), "100%");
  EXPECT_EQ(ports.progressTexts[1], "5%");
  w.EndProgress();
  EXPECT_FALSE(w.ProgressActive());
  EXPECT_EQ(ports.captions, std::vector<std::string>{"Applying tool..."});
}

TEST(Progress, ChunkedCountingTakesTheSameStepsAsTicks) {
  test::RecordingPorts a;
  DocWaveAudio w;
  test::Fill(w, 1, 8000, 8, std::vector<uint8_t>(1000));
  ASSERT_TRUE(w.BeginProgress(1000, ChannelMode::Mono, "x"));
  for (int i = 0; i < 1000; ++i) w.ProgressTick();
  const auto byTicks = a.progressTexts;
  const int pumpsByTicks = a.pumps;
  w.EndProgress();

  test::RecordingPorts b;
  ASSERT_TRUE(w.BeginProgress(1000, ChannelMode::Mono, "x"));
  uint64_t processed = 0;
  EXPECT_TRUE(w.ForEachProgressChunk(1000, [&](uint64_t offset, uint64_t n) {
    EXPECT_EQ(offset, processed);
    processed += n;
  }));
  EXPECT_EQ(processed, 1000u);
  EXPECT_EQ(b.progressTexts, byTicks);
  EXPECT_EQ(b.pumps, pumpsByTicks);
}

TEST(Progress, CancelStopsAtTheStepWhereItWasPressed) {
  test::RecordingPorts ports;
  ports.cancelAtPump = 2;
  DocWaveAudio w;
  test::Fill(w, 1, 8000, 8, std::vector<uint8_t>(2000));
  ASSERT_TRUE(w.BeginProgress(2000, ChannelMode::Mono, "x"));  // 100 samples a step
  uint64_t processed = 0;
  EXPECT_FALSE(w.ForEachProgressChunk(2000, [&](uint64_t, uint64_t n) { processed += n; }));
  EXPECT_EQ(processed, 301u);  // steps come at samples 101, 201 and 301
}

TEST(Progress, WindowThatCannotOpenShows1026) {
  test::RecordingPorts ports;
  ports.progressOpens = false;
  DocWaveAudio w;
  test::Fill(w, 1, 8000, 8, std::vector<uint8_t>(10));
  EXPECT_FALSE(w.BeginProgress(10, ChannelMode::Mono, "x"));
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kProgressDialogError});
  EXPECT_FALSE(w.ProgressActive());
}

TEST(Messages, UnknownNumberShowsNothing) {
  test::RecordingPorts ports;
  ShowMessage(999999);
  ShowMessage(msg::kNothingSelected);
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kNothingSelected});
}

}  // namespace
}  // namespace tarkel
