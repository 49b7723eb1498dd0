// Every edit command through the document's wrapper, then Undo: the sound comes back byte for
// byte, or, where the undo kind is refused for one channel, there is nothing to undo.
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

class UndoRoundTrip : public ::testing::TestWithParam<std::tuple<Layout, UndoCase>> {
 protected:
  UndoRoundTrip() {
    App() = AppContext{};
    TheDocumentHooks() = DocumentHooks{};
    TheUndoStore().DropSaved();
    TheUndoStore().SetEnabled(true);
  }
  ~UndoRoundTrip() override {
    TheUndoStore().DropSaved();
    App() = AppContext{};
  }
  const Layout& L() const { return std::get<0>(GetParam()); }
  const UndoCase& C() const { return std::get<1>(GetParam()); }

  test::RecordingPorts ports;
  CTarkelDoc doc;
};

bool RefusedForOneChannel(EditCommand c) {
  return c == EditCommand::Cut || c == EditCommand::Delete || c == EditCommand::Trim;
}

TEST_P(UndoRoundTrip, UndoGivesBackTheSoundOrThereIsNothingToUndo) {
  test::MakeStaircase(doc.Sound(), L(), kFrames);
  const std::vector<uint8_t> before = test::Bytes(doc.Sound());
  const uint16_t channelsBefore = doc.Sound().Channels();
  const test::Channels clip = test::FallingStaircase(L(), 7);
  ports.clipboard = test::WaveImageOf(uint16_t(clip.size()), 22050, L().bits, test::BytesOf(clip, L().bits));

  EditArgs args;
  args.frames = 5;
  args.crossfade = {100, 0, 0, false};
  ASSERT_TRUE(RunEditCommand(doc, C().command, C().first, C().last, L().mode, args));
  ASSERT_NE(test::Bytes(doc.Sound()), before);

  const bool single = IsSingleChannel(L().mode);
  if (single && RefusedForOneChannel(C().command)) {
    EXPECT_FALSE(doc.CanUndo());
    return;
  }
  ASSERT_TRUE(doc.CanUndo());
  ASSERT_TRUE(doc.UndoLastChange());
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_EQ(doc.Sound().Channels(), channelsBefore);
  std::vector<uint8_t> after = test::Bytes(doc.Sound());
  const bool insertion = C().command == EditCommand::Paste || C().command == EditCommand::InsertSilence;
  if (single && insertion) {
    // One channel keeps the length it grew by: the inserted frames leave silence at the end.
    ASSERT_GE(after.size(), before.size());
    for (size_t i = before.size(); i < after.size(); ++i) ASSERT_EQ(after[i], test::SilenceOf(L().bits) & 0xFF);
    after.resize(before.size());
  }
  EXPECT_EQ(after, before);
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
  MoveUndo() {
    App() = AppContext{};
    TheUndoStore().DropSaved();
    TheUndoStore().SetEnabled(true);
  }
  ~MoveUndo() override {
    TheUndoStore().DropSaved();
    App() = AppContext{};
  }
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

TEST(MoveUndoOneChannel, AMoveInOneChannelLeavesNothingToUndo) {
  test::RecordingPorts ports;
  TheUndoStore().DropSaved();
  CTarkelDoc doc;
  test::MakeStaircase(doc.Sound(), {2, 8, ChannelMode::Left, "x"}, kFrames);
  EditArgs args;
  args.destination = 20;
  args.destinationMode = ChannelMode::Right;
  ASSERT_TRUE(RunEditCommand(doc, EditCommand::Move, 4, 9, ChannelMode::Left, args));
  EXPECT_FALSE(doc.CanUndo());
}

}  // namespace
}  // namespace tarkel
