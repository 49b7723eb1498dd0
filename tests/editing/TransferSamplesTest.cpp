// The sample-moving primitive: every kind in both channel layouts, and its progress counting.
#include <gtest/gtest.h>

#include <cstring>

#include "sound/DocWaveAudio.h"
#include "editing/TransferSamples.h"
#include "support/Signals.h"
#include "support/TestPorts.h"

namespace tarkel {
namespace {


TEST(TransferSamples, CopiesForwardsAndBackwardsAcrossOverlaps) {
  DocWaveAudio w;
  test::Fill(w, 1, 22050, 8, test::Staircase8(20));
  // Backwards, up by 3 (pointers at the end).
  ASSERT_TRUE(TransferSamples(w, ChannelMode::Mono, 10, TransferKind::CopyBackward, w.Data() + 10, w.Data() + 13));
  std::vector<uint8_t> expected = test::Staircase8(20);
  for (int i = 0; i < 10; ++i) expected[3 + i] = uint8_t(i);
  EXPECT_EQ(test::Bytes(w), expected);
  // Forwards, down by 3.
  ASSERT_TRUE(TransferSamples(w, ChannelMode::Mono, 10, TransferKind::ChannelCopy, w.Data() + 3, w.Data()));
  for (int i = 0; i < 10; ++i) expected[i] = uint8_t(i);
  EXPECT_EQ(test::Bytes(w), expected);
}

TEST(TransferSamples, ExtractsAndInsertsOneChannel) {
  for (uint16_t bits : {8, 16}) {
    const uint32_t width = bits / 8;
    DocWaveAudio w;
    test::Fill(w, 2, 22050, bits, bits == 8 ? test::Staircase8(16) : test::Staircase16(16));
    std::vector<uint8_t> mono(8 * width);
    ASSERT_TRUE(TransferSamples(w, ChannelMode::Right, 8 * 2 * width, TransferKind::CopyForward, w.Data() + width,
                                mono.data()));
    for (uint32_t f = 0; f < 8; ++f) EXPECT_EQ(mono[f * width], uint8_t(2 * f + 1)) << bits;

    std::vector<uint8_t> source(4 * width, 0xEE);
    ASSERT_TRUE(TransferSamples(w, ChannelMode::Left, 4 * 2 * width, TransferKind::Insert, source.data(), w.Data()));
    const std::vector<uint8_t> bytes = test::Bytes(w);
    for (uint32_t f = 0; f < 8; ++f) {
      EXPECT_EQ(bytes[f * 2 * width], f < 4 ? 0xEE : uint8_t(2 * f)) << bits;      // left
      EXPECT_EQ(bytes[f * 2 * width + width], uint8_t(2 * f + 1)) << bits;          // right untouched
    }
  }
}

TEST(TransferSamples, SilenceIs127For8BitAnd0For16Bit) {
  DocWaveAudio w8;
    test::Fill(w8, 2, 22050, 8, std::vector<uint8_t>(8, 200));
  ASSERT_TRUE(TransferSamples(w8, ChannelMode::Right, 8, TransferKind::Silence, nullptr, w8.Data() + 1));
  EXPECT_EQ(test::Bytes(w8), (std::vector<uint8_t>{200, 127, 200, 127, 200, 127, 200, 127}));
  DocWaveAudio w16;
    test::Fill(w16, 1, 22050, 16, std::vector<uint8_t>(6, 0x55));
  ASSERT_TRUE(TransferSamples(w16, ChannelMode::Mono, 6, TransferKind::Silence, nullptr, w16.Data()));
  EXPECT_EQ(test::Bytes(w16), std::vector<uint8_t>(6, 0));
}

TEST(TransferSamples, MeansRoundAsTheWidthsDo) {
  // 8-bit: (a + b) >> 1 on the unsigned values.
  DocWaveAudio w8;
    test::Fill(w8, 1, 22050, 8, {0, 255, 128, 3});
  const std::vector<uint8_t> src8 = {1, 0, 127, 4};
  ASSERT_TRUE(TransferSamples(w8, ChannelMode::Mono, 4, TransferKind::Mean, src8.data(), w8.Data()));
  EXPECT_EQ(test::Bytes(w8), (std::vector<uint8_t>{0, 127, 127, 3}));
  // 16-bit: the division truncates towards zero.
  const std::vector<int16_t> a = {-3, 3, -32768, 32767};
  const std::vector<int16_t> b = {0, 0, -32768, 32767};
  std::vector<uint8_t> bytes(8);
  std::memcpy(bytes.data(), b.data(), 8);
  DocWaveAudio w16;
    test::Fill(w16, 1, 22050, 16, bytes);
  ASSERT_TRUE(TransferSamples(w16, ChannelMode::Mono, 8, TransferKind::Mean, reinterpret_cast<const uint8_t*>(a.data()),
                              w16.Data()));
  EXPECT_EQ(test::Samples16(w16), (std::vector<int16_t>{-1, 1, -32768, 32767}));
}

TEST(TransferSamples, ChannelMeanSetsBothChannelsOfEveryFrame) {
  std::vector<int16_t> s = {10, 20, -5, 6, 100, -100};
  std::vector<uint8_t> bytes(12);
  std::memcpy(bytes.data(), s.data(), 12);
  DocWaveAudio w;
    test::Fill(w, 2, 22050, 16, bytes);
  ASSERT_TRUE(TransferSamples(w, ChannelMode::Both, 12, TransferKind::MeanOfChannels, w.Data(), w.Data() + 2));
  EXPECT_EQ(test::Samples16(w), (std::vector<int16_t>{15, 15, 0, 0, 0, 0}));

  // Kind 10: the same channel of source and target.
  DocWaveAudio t;
    test::Fill(t, 2, 22050, 8, {10, 1, 20, 2});
  const std::vector<uint8_t> other = {30, 9, 40, 9};
  ASSERT_TRUE(TransferSamples(t, ChannelMode::Left, 4, TransferKind::ChannelMean, other.data(), t.Data()));
  EXPECT_EQ(test::Bytes(t), (std::vector<uint8_t>{20, 1, 30, 2}));
}

TEST(TransferSamples, KindsWithoutMeaningDoNothing) {
  DocWaveAudio w;
    test::Fill(w, 1, 22050, 8, test::Staircase8(8));
  const std::vector<uint8_t> src(8, 99);
  for (int kind : {0, 10, 12, 40})
    ASSERT_TRUE(TransferSamples(w, ChannelMode::Mono, 8, TransferKind(kind), src.data(), w.Data()));
  EXPECT_EQ(test::Bytes(w), test::Staircase8(8));
}

// Progress: a word-wise copy counts 4 per 32-bit word and 1 per remaining byte, the per-sample
// kinds one per sample, kind 7 nothing. 8-bit mono over 2000 frames: a step every 100 samples.
TEST(TransferSamplesProgress, CountsAsTheRuleSays) {
  test::RecordingPorts ports;
  struct Case {
    TransferKind kind;
    uint16_t bits;
    uint32_t bytes;
  };
  const Case cases[] = {
      {TransferKind::CopyForward, 8, 1003},        // 250 words and 3 bytes: 1003 units
      {TransferKind::CopyBackwardQuiet, 8, 1003},  // nothing counted
      {TransferKind::Silence, 16, 1000},           // 500 samples
  };
  for (const Case& c : cases) {
    DocWaveAudio w;
    test::Fill(w, 1, 22050, c.bits, std::vector<uint8_t>(4000, 1));
    ASSERT_TRUE(w.BeginProgress(2000, ChannelMode::Mono, "x"));
    const uint64_t step = w.ProgressStepSize();
    std::vector<uint8_t> target(c.bytes + 4);
    uint8_t* t = c.kind == TransferKind::CopyBackwardQuiet ? target.data() + c.bytes : target.data();
    const uint8_t* s = c.kind == TransferKind::CopyBackwardQuiet ? w.Data() + c.bytes : w.Data();
    ASSERT_TRUE(TransferSamples(w, ChannelMode::Mono, c.bytes, c.kind, s, t));
    // The same number of steps as one tick per counted unit.
    DocWaveAudio ref;
    test::Fill(ref, 1, 22050, c.bits, std::vector<uint8_t>(4000, 1));
    ASSERT_TRUE(ref.BeginProgress(2000, ChannelMode::Mono, "x"));
    const uint32_t units = c.kind == TransferKind::CopyBackwardQuiet ? 0
                           : c.kind == TransferKind::Silence         ? c.bytes / 2
                                                                     : c.bytes;
    for (uint32_t i = 0; i < units; ++i) ASSERT_TRUE(ref.ProgressTick());
    EXPECT_EQ(w.ProgressStepNumber(), ref.ProgressStepNumber()) << int(c.kind) << " step size " << step;
    w.EndProgress();
    ref.EndProgress();
  }
}

TEST(TransferSamplesProgress, CancelStopsAtTheStepAndLeavesTheRestUntouched) {
  test::RecordingPorts ports;
  ports.cancelAtPump = 1;  // the second step
  DocWaveAudio w;
  test::Fill(w, 1, 22050, 8, std::vector<uint8_t>(2000, 1));
  ASSERT_TRUE(w.BeginProgress(2000, ChannelMode::Mono, "x"));
  std::vector<uint8_t> target(2000, 0);
  EXPECT_FALSE(TransferSamples(w, ChannelMode::Mono, 2000, TransferKind::CopyForward, w.Data(), target.data()));
  const uint64_t step = w.ProgressStepSize();
  // Copied up to and including the sample at which the second step was taken.
  EXPECT_EQ(target[2 * step], 1);
  EXPECT_EQ(target[2 * step + 1], 0);
  w.EndProgress();
}

}  // namespace
}  // namespace tarkel
