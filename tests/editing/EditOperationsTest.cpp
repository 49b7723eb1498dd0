// Each range operation on every layout: mono, both channels and each single channel of stereo,
// at 8 and 16 bits, on staircases, against the same edit written as plain vector operations.
#include <gtest/gtest.h>

#include "EditTestSupport.h"
#include "sound/AppContext.h"
#include "sound/MessageIds.h"
#include "editing/Clipboard.h"
#include "editing/EditOperations.h"
#include "support/TestPorts.h"

namespace tarkel {
namespace {

using test::Channels;
using test::Layout;

constexpr uint32_t kFrames = 40;

class EditOnLayout : public ::testing::TestWithParam<Layout> {
 protected:
  void SetUp() override { test::MakeStaircase(wave, L(), kFrames); }
  const Layout& L() const { return GetParam(); }
  bool Single() const { return IsSingleChannel(L().mode); }
  int Silence() const { return test::SilenceOf(L().bits); }
  Channels Before() const {
    DocWaveAudio w;
    test::MakeStaircase(w, L(), kFrames);
    return test::ChannelsOf(w);
  }
  // Puts `clip` (in the clipboard format of this layout) on the test clipboard.
  void PutOnClipboard(const Channels& clip) {
    ports.clipboard = test::WaveImageOf(uint16_t(clip.size()), 22050, L().bits, test::BytesOf(clip, L().bits));
  }
  // Frames of `other` channels grow with silence when one channel gets longer.
  void PadOthers(Channels& ch) const {
    size_t longest = 0;
    for (auto& c : ch) longest = std::max(longest, c.size());
    for (auto& c : ch) c.resize(longest, Silence());
  }

  test::RecordingPorts ports;
  DocWaveAudio wave;
};

TEST_P(EditOnLayout, DeleteRemovesTheRangeOrSilencesTheChannelsEnd) {
  Channels expected = Before();
  for (int c : test::TouchedChannels(L())) {
    expected[c].erase(expected[c].begin() + 10, expected[c].begin() + 20);
    if (Single()) expected[c].resize(kFrames, Silence());
  }
  ASSERT_EQ(DeleteRange(wave, 10, 19, L().mode), 10);
  EXPECT_EQ(test::ChannelsOf(wave), expected);
  EXPECT_EQ(wave.Frames(), Single() ? kFrames : kFrames - 10);
}

TEST_P(EditOnLayout, DeleteToPastTheEndTakesTheLastFrame) {
  ASSERT_EQ(DeleteRange(wave, 30, 1000, L().mode), 10);
  Channels expected = Before();
  for (int c : test::TouchedChannels(L())) {
    expected[c].resize(30);
    if (Single()) expected[c].resize(kFrames, Silence());
  }
  EXPECT_EQ(test::ChannelsOf(wave), expected);
}

TEST_P(EditOnLayout, EraseSilencesExactlyTheRange) {
  Channels expected = Before();
  for (int c : test::TouchedChannels(L()))
    for (int f = 10; f <= 19; ++f) expected[c][f] = Silence();
  ASSERT_EQ(EraseRange(wave, 10, 19, L().mode), 10);
  EXPECT_EQ(test::ChannelsOf(wave), expected);
}

TEST_P(EditOnLayout, TrimKeepsTheRangeAndOneChannelBecomesMono) {
  const Channels before = Before();
  Channels expected;
  for (size_t c = 0; c < before.size(); ++c)
    if (!Single() || int(c) == test::TouchedChannels(L())[0])
      expected.emplace_back(before[c].begin() + 10, before[c].begin() + 20);
  ASSERT_EQ(TrimRange(wave, 10, 19, L().mode), 10);
  EXPECT_EQ(test::ChannelsOf(wave), expected);
  EXPECT_EQ(wave.Channels(), Single() ? 1 : L().channels);
  EXPECT_EQ(wave.BlockAlign(), (Single() ? 1 : L().channels) * L().bits / 8);
}

TEST_P(EditOnLayout, InsertSilenceOpensAGapInTheChosenChannels) {
  Channels expected = Before();
  for (int c : test::TouchedChannels(L())) expected[c].insert(expected[c].begin() + 10, 5, Silence());
  PadOthers(expected);
  ASSERT_EQ(InsertSilence(wave, 10, 5, L().mode), 5);
  EXPECT_EQ(test::ChannelsOf(wave), expected);
}

TEST_P(EditOnLayout, PasteInsertsTheClipboardAtTheSelectionStart) {
  const Channels clip = test::FallingStaircase(L(), 7);
  PutOnClipboard(clip);
  Channels expected = Before();
  const std::vector<int> touched = test::TouchedChannels(L());
  for (size_t i = 0; i < touched.size(); ++i)
    expected[touched[i]].insert(expected[touched[i]].begin() + 10, clip[i].begin(), clip[i].end());
  PadOthers(expected);
  ASSERT_EQ(InsertClip(wave, 10, 12, L().mode), 7);
  EXPECT_EQ(test::ChannelsOf(wave), expected);
}

TEST_P(EditOnLayout, PasteAtTheEndAppends) {
  const Channels clip = test::FallingStaircase(L(), 3);
  PutOnClipboard(clip);
  Channels expected = Before();
  const std::vector<int> touched = test::TouchedChannels(L());
  for (size_t i = 0; i < touched.size(); ++i) expected[touched[i]].insert(expected[touched[i]].end(), clip[i].begin(), clip[i].end());
  PadOthers(expected);
  ASSERT_EQ(InsertClip(wave, kFrames, kFrames, L().mode), 3);
  EXPECT_EQ(test::ChannelsOf(wave), expected);
}

TEST_P(EditOnLayout, PasteOverStopsAtTheEndAndExactlyAtTheSelection) {
  const Channels clip = test::FallingStaircase(L(), 7);
  PutOnClipboard(clip);
  const std::vector<int> touched = test::TouchedChannels(L());

  Channels expected = Before();
  for (size_t i = 0; i < touched.size(); ++i)
    for (int k = 0; k < 5; ++k) expected[touched[i]][35 + k] = clip[i][k];
  ASSERT_EQ(OverwriteClip(wave, 35, 36, L().mode), 5);
  EXPECT_EQ(test::ChannelsOf(wave), expected);

  for (size_t i = 0; i < touched.size(); ++i)
    for (int k = 0; k < 4; ++k) expected[touched[i]][10 + k] = clip[i][k];
  ASSERT_EQ(OverwriteClipExactly(wave, 10, 13, L().mode), 4);
  EXPECT_EQ(test::ChannelsOf(wave), expected);
}

TEST_P(EditOnLayout, MixingARangeWithItselfLeavesItUnchanged) {
  const Channels before = Before();
  Channels clip;
  for (int c : test::TouchedChannels(L())) clip.emplace_back(before[c].begin() + 10, before[c].begin() + 20);
  PutOnClipboard(clip);
  ASSERT_EQ(MixClipExactly(wave, 10, 19, L().mode), 10);
  EXPECT_EQ(test::ChannelsOf(wave), before);
  EXPECT_TRUE(ports.messages.empty());
}

TEST_P(EditOnLayout, CutPutsTheRangeOnTheClipboardAndRemovesIt) {
  const Channels before = Before();
  ASSERT_EQ(CutToClipboard(wave, 10, 19, L().mode), 10);
  Channels clip;
  for (int c : test::TouchedChannels(L())) clip.emplace_back(before[c].begin() + 10, before[c].begin() + 20);
  EXPECT_EQ(ports.clipboard, test::WaveImageOf(uint16_t(clip.size()), 22050, L().bits, test::BytesOf(clip, L().bits)));
  EXPECT_EQ(wave.Frames(), Single() ? kFrames : kFrames - 10);
  ASSERT_FALSE(ports.captions.empty());
  EXPECT_EQ(ports.captions[0], "Cutting...");
}

TEST_P(EditOnLayout, OneFrameRangesAreRefusedWhereTheyMustBe) {
  EXPECT_EQ(CopyToClipboard(wave, 4, 4, L().mode), 0u);
  EXPECT_EQ(TrimRange(wave, 4, 4, L().mode), -1);
  EXPECT_EQ(EraseRange(wave, 4, 4, L().mode), -1);
  EXPECT_EQ(ports.messages, (std::vector<int>(3, msg::kNothingSelected)));
  EXPECT_EQ(test::ChannelsOf(wave), Before());
  EXPECT_EQ(DeleteRange(wave, 4, 4, L().mode), 1);  // delete takes a single frame
}

INSTANTIATE_TEST_SUITE_P(Layouts, EditOnLayout, ::testing::ValuesIn(test::AllLayouts()),
                         [](const auto& info) { return info.param.name; });

// Moving and copying within one channel layout (whole frames).
class MoveOnLayout : public EditOnLayout {};

TEST_P(MoveOnLayout, CopyInsertsTheRangeAtTheDestination) {
  Channels expected = Before();
  for (auto& c : expected) {
    const std::vector<int> block(c.begin() + 5, c.begin() + 10);
    c.insert(c.begin() + 20, block.begin(), block.end());
  }
  uint32_t placed = 0;
  ASSERT_EQ(MoveOrCopyRange(wave, 5, 9, L().mode, 20, L().mode, true, false, &placed), 5);
  EXPECT_EQ(test::ChannelsOf(wave), expected);
  EXPECT_EQ(placed, 20u);
}

TEST_P(MoveOnLayout, MoveForwardAndBackwardClosesTheGap) {
  Channels expected = Before();
  for (auto& c : expected) {
    const std::vector<int> block(c.begin() + 5, c.begin() + 10);
    c.erase(c.begin() + 5, c.begin() + 10);
    c.insert(c.begin() + 15, block.begin(), block.end());
  }
  uint32_t placed = 0;
  ASSERT_EQ(MoveOrCopyRange(wave, 5, 9, L().mode, 20, L().mode, false, false, &placed), 5);
  EXPECT_EQ(test::ChannelsOf(wave), expected);
  EXPECT_EQ(placed, 15u);

  test::MakeStaircase(wave, L(), kFrames);
  expected = Before();
  for (auto& c : expected) {
    const std::vector<int> block(c.begin() + 30, c.begin() + 36);
    c.erase(c.begin() + 30, c.begin() + 36);
    c.insert(c.begin() + 2, block.begin(), block.end());
  }
  ASSERT_EQ(MoveOrCopyRange(wave, 30, 35, L().mode, 2, L().mode, false, false, &placed), 6);
  EXPECT_EQ(test::ChannelsOf(wave), expected);
  EXPECT_EQ(placed, 2u);
}

TEST_P(MoveOnLayout, MoveWithTheSilencePreferenceLeavesSilenceBehind) {
  App().dragDropReplaceMoveWithSilence = 1;
  Channels expected = Before();
  for (auto& c : expected) {
    const std::vector<int> block(c.begin() + 5, c.begin() + 10);
    c.insert(c.begin() + 20, block.begin(), block.end());
    std::fill(c.begin() + 5, c.begin() + 10, Silence());
  }
  const int64_t moved = MoveOrCopyRange(wave, 5, 9, L().mode, 20, L().mode, false, false);
  App().dragDropReplaceMoveWithSilence = 0;
  ASSERT_EQ(moved, 5);
  EXPECT_EQ(test::ChannelsOf(wave), expected);
}

TEST_P(MoveOnLayout, ADestinationInsideTheSourceIsRefused) {
  EXPECT_EQ(MoveOrCopyRange(wave, 5, 9, L().mode, 7, L().mode, false, false), -1);
  EXPECT_EQ(MoveOrCopyRange(wave, 5, 9, L().mode, 5, L().mode, true, false), -1);
  EXPECT_EQ(ports.messages, (std::vector<int>(2, msg::kMoveCopySameRegion)));
  EXPECT_EQ(test::ChannelsOf(wave), Before());
}

INSTANTIATE_TEST_SUITE_P(WholeFrames, MoveOnLayout,
                         ::testing::Values(Layout{1, 8, ChannelMode::Mono, "Mono8"},
                                           Layout{1, 16, ChannelMode::Mono, "Mono16"},
                                           Layout{2, 8, ChannelMode::Both, "Both8"},
                                           Layout{2, 16, ChannelMode::Both, "Both16"}),
                         [](const auto& info) { return info.param.name; });

TEST(MoveBetweenChannels, CopyLeftIntoRightInsertsInTheRightChannelOnly) {
  test::RecordingPorts ports;
  for (uint16_t bits : {8, 16}) {
    DocWaveAudio wave;
    const Layout layout{2, bits, ChannelMode::Left, "x"};
    test::MakeStaircase(wave, layout, kFrames);
    Channels expected = test::ChannelsOf(wave);
    const std::vector<int> block(expected[0].begin() + 4, expected[0].begin() + 8);
    expected[1].insert(expected[1].begin() + 6, block.begin(), block.end());
    expected[0].resize(expected[1].size(), test::SilenceOf(bits));
    // Inside the source range is fine for another channel.
    ASSERT_EQ(MoveOrCopyRange(wave, 4, 7, ChannelMode::Left, 6, ChannelMode::Right, true, false), 4);
    EXPECT_EQ(test::ChannelsOf(wave), expected) << bits;
  }
}

TEST(MoveBetweenChannels, MoveRightIntoLeftRemovesItFromTheRight) {
  test::RecordingPorts ports;
  DocWaveAudio wave;
  const Layout layout{2, 16, ChannelMode::Right, "x"};
  test::MakeStaircase(wave, layout, kFrames);
  Channels expected = test::ChannelsOf(wave);
  const std::vector<int> block(expected[1].begin() + 20, expected[1].begin() + 25);
  expected[0].insert(expected[0].begin() + 3, block.begin(), block.end());
  expected[1].erase(expected[1].begin() + 20, expected[1].begin() + 25);
  expected[1].resize(expected[0].size(), 0);
  ASSERT_EQ(MoveOrCopyRange(wave, 20, 24, ChannelMode::Right, 3, ChannelMode::Left, false, false), 5);
  EXPECT_EQ(test::ChannelsOf(wave), expected);
}

}  // namespace
}  // namespace tarkel
