// Every edit command through the document's wrapper, then Undo: the sound comes back byte for
// byte, in every layout and channel, with its format, channel count and length.
#include <gtest/gtest.h>

#include "EditTestSupport.h"
#include "sound/AppContext.h"
#include "document/CTarkelDoc.h"
#include "document/DocumentHooks.h"
#include "document/UndoStore.h"
#include "document/EditCommands.h"
#include "support/Signals.h"
#include "support/TestPorts.h"

namespace tarkel {
namespace {

using test::Layout;

constexpr uint32_t kFrames = 40;

struct UndoCase {
  EditCommand command;
  uint32_t first;
  uint32_t last;
  const char* name;
};

// Application-wide state as a fresh program has it, for the life of a test.
struct FreshApplication {
  FreshApplication() {
    App() = AppContext{};
    TheDocumentHooks() = DocumentHooks{};
    TheUndoStore().DropSaved();
    TheUndoStore().SetEnabled(true);
  }
  ~FreshApplication() {
    TheUndoStore().DropSaved();
    App() = AppContext{};
  }
};

class UndoRoundTrip : public ::testing::TestWithParam<std::tuple<Layout, UndoCase>> {
 protected:
  FreshApplication fresh;
  const Layout& L() const { return std::get<0>(GetParam()); }
  const UndoCase& C() const { return std::get<1>(GetParam()); }

  test::RecordingPorts ports;
  CTarkelDoc doc;
};

// The sound as undo must give it back: its format record and every byte.
struct SoundState {
  std::vector<uint8_t> format;
  std::vector<uint8_t> bytes;
  bool operator==(const SoundState&) const = default;
};

SoundState StateOf(const WaveAudio& wave) {
  const WaveFormat& f = wave.Format();
  return {std::vector<uint8_t>(f.Data(), f.Data() + f.CopySize()), test::Bytes(wave)};
}

TEST_P(UndoRoundTrip, UndoGivesBackTheSound) {
  test::MakeStaircase(doc.Sound(), L(), kFrames);
  const SoundState before = StateOf(doc.Sound());
  const test::Channels clip = test::FallingStaircase(L(), 7);
  ports.clipboard = test::WaveImageOf(uint16_t(clip.size()), 22050, L().bits, test::BytesOf(clip, L().bits));

  EditArgs args;
  args.frames = 5;
  args.crossfade = {100, 0, 0, false};
  // Change length: the rows' last frame chooses a shorter or a longer sound.
  if (C().command == EditCommand::ChangeLength) args.frames = C().last ? kFrames + 7 : kFrames - 13;
  ASSERT_TRUE(RunEditCommand(doc, C().command, C().first, C().last, L().mode, args));
  ASSERT_NE(StateOf(doc.Sound()), before);

  ASSERT_TRUE(doc.CanUndo());
  ASSERT_TRUE(doc.UndoLastChange());
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_EQ(doc.Sound().Frames(), kFrames);
  EXPECT_EQ(StateOf(doc.Sound()), before);
}

const UndoCase kCases[] = {
    {EditCommand::Cut, 10, 19, "Cut"},
    {EditCommand::Delete, 10, 19, "Delete"},
    {EditCommand::Delete, 30, 39, "DeleteAtEnd"},
    {EditCommand::Trim, 10, 19, "Trim"},
    {EditCommand::Trim, 0, 19, "TrimFromTheStart"},
    {EditCommand::Paste, 10, 12, "Paste"},
    {EditCommand::Paste, kFrames, kFrames, "PasteAtEnd"},
    {EditCommand::PasteOver, 36, 37, "PasteOverAtEnd"},
    {EditCommand::PasteOverExactly, 10, 13, "PasteOverExactly"},
    {EditCommand::Mix, 20, 21, "Mix"},
    {EditCommand::MixExactly, 20, 22, "MixExactly"},
    {EditCommand::Crossfade, 20, 21, "Crossfade"},
    {EditCommand::Erase, 10, 19, "Erase"},
    {EditCommand::InsertSilence, 10, 10, "InsertSilence"},
    {EditCommand::ChangeLength, 0, 0, "ChangeLengthShorter"},
    {EditCommand::ChangeLength, 0, 1, "ChangeLengthLonger"},
};

INSTANTIATE_TEST_SUITE_P(Commands, UndoRoundTrip,
                         ::testing::Combine(::testing::ValuesIn(test::AllLayouts()), ::testing::ValuesIn(kCases)),
                         [](const auto& info) {
                           return std::get<0>(info.param).name + "_" + std::get<1>(info.param).name;
                         });

// Moves and copies by drag and drop, forwards and backwards, with both drag modes.
struct MoveCase {
  uint32_t first, last, destination;
  bool copy;
  int32_t replaceWithSilence;
  const char* name;
};

class MoveUndo : public ::testing::TestWithParam<std::tuple<Layout, MoveCase>> {
 protected:
  FreshApplication fresh;
  test::RecordingPorts ports;
  CTarkelDoc doc;
};

TEST_P(MoveUndo, UndoPutsTheRangeBack) {
  const Layout& layout = std::get<0>(GetParam());
  const MoveCase& m = std::get<1>(GetParam());
  test::MakeStaircase(doc.Sound(), layout, kFrames);
  const std::vector<uint8_t> before = test::Bytes(doc.Sound());
  App().dragDropReplaceMoveWithSilence = m.replaceWithSilence;
  EditArgs args;
  args.destination = m.destination;
  args.destinationMode = layout.mode;
  ASSERT_TRUE(RunEditCommand(doc, m.copy ? EditCommand::CopyTo : EditCommand::Move, m.first, m.last, layout.mode, args));
  ASSERT_TRUE(doc.UndoLastChange());
  EXPECT_EQ(test::Bytes(doc.Sound()), before);
  EXPECT_EQ(App().dragDropReplaceMoveWithSilence, m.replaceWithSilence);
}

const MoveCase kMoves[] = {
    {4, 9, 20, false, 0, "MoveForward"},         {24, 29, 2, false, 0, "MoveBackward"},
    {4, 9, 20, false, 1, "MoveForwardSilence"},  {24, 29, 2, false, 1, "MoveBackwardSilence"},
    {4, 9, 20, true, 0, "CopyForward"},          {24, 29, 2, true, 0, "CopyBackward"},
    {0, 9, 40, false, 0, "MoveToTheEnd"},        {10, 11, 12, false, 0, "MoveJustAfter"},
};

INSTANTIATE_TEST_SUITE_P(Moves, MoveUndo,
                         ::testing::Combine(::testing::Values(Layout{1, 8, ChannelMode::Mono, "Mono8"},
                                                              Layout{2, 16, ChannelMode::Both, "Both16"}),
                                            ::testing::ValuesIn(kMoves)),
                         [](const auto& info) {
                           return std::get<0>(info.param).name + "_" + std::get<1>(info.param).name;
                         });

// Moves and copies in one channel of a stereo sound, within it and into the other one.
struct ChannelMoveCase {
  ChannelMode from, to;
  uint32_t first, last, destination;
  bool copy;
  const char* name;
};

class MoveUndoOneChannel : public ::testing::TestWithParam<ChannelMoveCase> {
 protected:
  FreshApplication fresh;
  test::RecordingPorts ports;
  CTarkelDoc doc;
};

TEST_P(MoveUndoOneChannel, UndoGivesBackBothChannelsAndTheLength) {
  const ChannelMoveCase& m = GetParam();
  for (const uint16_t bits : {8, 16}) {
    TheUndoStore().DropSaved();
    test::MakeStaircase(doc.Sound(), {2, bits, m.from, "x"}, kFrames);
    const SoundState before = StateOf(doc.Sound());
    EditArgs args;
    args.destination = m.destination;
    args.destinationMode = m.to;
    ASSERT_TRUE(RunEditCommand(doc, m.copy ? EditCommand::CopyTo : EditCommand::Move, m.first, m.last, m.from, args));
    ASSERT_NE(StateOf(doc.Sound()), before);
    ASSERT_TRUE(doc.UndoLastChange()) << bits;
    EXPECT_EQ(doc.Sound().Frames(), kFrames) << bits;
    EXPECT_EQ(StateOf(doc.Sound()), before) << bits;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Channels, MoveUndoOneChannel,
    ::testing::Values(ChannelMoveCase{ChannelMode::Left, ChannelMode::Right, 4, 9, 20, false, "MoveLeftToRight"},
                      ChannelMoveCase{ChannelMode::Right, ChannelMode::Right, 24, 29, 2, false, "MoveWithinRight"},
                      ChannelMoveCase{ChannelMode::Left, ChannelMode::Left, 4, 9, 20, true, "CopyWithinLeft"},
                      ChannelMoveCase{ChannelMode::Right, ChannelMode::Left, 24, 29, 2, true, "CopyRightToLeft"},
                      ChannelMoveCase{ChannelMode::Left, ChannelMode::Left, 4, 9, 40, true, "CopyToTheEnd"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarkel
