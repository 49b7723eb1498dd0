// What both front ends call on a document: New from the clipboard, the format change, the move's
// silence choice as an argument, and the edit command descriptors.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "DocumentTestSupport.h"
#include "document/EditCommands.h"
#include "sound/MessageIds.h"
#include "sound/WaveImage.h"
#include "support/Signals.h"

namespace tarkel::test {
namespace {

class CoreCommandsTest : public DocumentTest {};

std::vector<uint8_t> ImageOf(uint16_t channels, uint32_t rate, uint16_t bits, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> image(kCanonicalHeaderSize + data.size());
  WriteCanonicalHeader(image.data(), WaveFormat::Pcm(channels, rate, bits), uint32_t(data.size()));
  std::memcpy(image.data() + kCanonicalHeaderSize, data.data(), data.size());
  return image;
}

TEST_F(CoreCommandsTest, NewFromTheClipboardTakesItsSoundWithoutAHookOrAMarker) {
  ports.clipboard = ImageOf(1, 8000, 8, Staircase8(10));
  CTarkelDoc doc;
  ASSERT_TRUE(doc.NewFromClipboard());
  EXPECT_EQ(Bytes(doc.Sound()), Staircase8(10));
  EXPECT_EQ(doc.Sound().Rate(), 8000u);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(App().pasteAsNewMarker, 0);
  EXPECT_TRUE(ports.chooserTitles.empty());
  EXPECT_EQ(ports.waitDepth, 0);

  // An empty clipboard: the clipboard code says so and the new document is to be discarded.
  ports.clipboard.clear();
  CTarkelDoc empty;
  EXPECT_FALSE(empty.NewFromClipboard());
  EXPECT_FALSE(ports.messages.empty());
}

TEST_F(CoreCommandsTest, FormatChangeConvertsAndResetsTheViews) {
  CTarkelDoc doc;
  Fill(doc.Sound(), 1, 8000, 16, Staircase16(100));
  ASSERT_TRUE(RunEditCommand(doc, EditCommand::Erase, 0, 9, ChannelMode::Mono));
  ASSERT_TRUE(doc.CanUndo());
  RecordingView view;
  doc.AddObserver(&view);
  ports.chooserResult = kChooseOk;
  ports.chosenFormat = WaveFormat::Pcm(1, 8000, 8);
  ports.answers = {true};  // the quality-loss question
  ASSERT_TRUE(ChangeFormatCommand(doc, true, ChannelMode::Mono));
  EXPECT_EQ(doc.Sound().BitsPerSample(), 8);
  EXPECT_EQ(doc.Sound().Frames(), 100u);
  EXPECT_EQ(view.lengths, std::vector<uint32_t>{100u});
  EXPECT_TRUE(doc.IsModified());
  // The conversion keeps the sound before it for undo, in place of the older record.
  EXPECT_TRUE(doc.CanUndo());
  EXPECT_EQ(TheUndoStore().Kind(), UndoKind::Snapshot);

  // Change Format w/o Data keeps the bytes and reads them in the new format.
  ports.chosenFormat = WaveFormat::Pcm(2, 8000, 8);
  const std::vector<uint8_t> bytes = Bytes(doc.Sound());
  ASSERT_TRUE(ChangeFormatCommand(doc, false, ChannelMode::Mono));
  EXPECT_EQ(doc.Sound().Channels(), 2);
  EXPECT_EQ(Bytes(doc.Sound()), bytes);
  EXPECT_EQ(view.lengths, (std::vector<uint32_t>{100u, 50u}));

  // A cancelled chooser changes nothing.
  ports.chooserResult = kChooseCancel;
  EXPECT_FALSE(ChangeFormatCommand(doc, true, ChannelMode::Both));
  EXPECT_EQ(doc.Sound().Channels(), 2);
  doc.RemoveObserver(&view);
}

TEST_F(CoreCommandsTest, TheMoveSilenceChoiceIsAnArgumentAndUndoFollowsIt) {
  for (const MovedSource moved : {MovedSource::Removed, MovedSource::Silenced}) {
    SCOPED_TRACE(moved == MovedSource::Silenced ? "silenced" : "removed");
    CTarkelDoc doc;
    Fill(doc.Sound(), 1, 8000, 8, Staircase8(40));
    // The preference says the opposite; the argument decides.
    App().dragDropReplaceMoveWithSilence = moved == MovedSource::Silenced ? 0 : 1;
    EditArgs args;
    args.destination = 30;
    args.destinationMode = ChannelMode::Mono;
    args.movedSource = moved;
    ASSERT_TRUE(RunEditCommand(doc, EditCommand::Move, 4, 9, ChannelMode::Mono, args));
    const std::vector<uint8_t> after = Bytes(doc.Sound());
    EXPECT_EQ(after.size(), moved == MovedSource::Silenced ? 46u : 40u);
    if (moved == MovedSource::Silenced) EXPECT_EQ(after[4], SilenceValueFor(8));
    EXPECT_EQ(TheUndoStore().SourceSilenced(), moved == MovedSource::Silenced);
    ASSERT_TRUE(doc.UndoLastChange());
    EXPECT_EQ(Bytes(doc.Sound()), Staircase8(40));
    EXPECT_EQ(App().dragDropReplaceMoveWithSilence, moved == MovedSource::Silenced ? 0 : 1);
  }
}

TEST_F(CoreCommandsTest, EveryEditCommandHasOneDescriptorAndNamesAreUnique) {
  std::set<std::string> names;
  for (int c = int(EditCommand::Copy); c <= int(EditCommand::CopyTo); ++c) {
    const EditCommandEntry* entry = FindEditCommand(EditCommand(c));
    ASSERT_NE(entry, nullptr) << c;
    EXPECT_EQ(int(entry->command), c);
    if (entry->name.empty()) continue;
    EXPECT_TRUE(names.insert(std::string(entry->name)).second) << entry->name;
    EXPECT_EQ(FindEditCommand(entry->name), entry);
  }
  EXPECT_EQ(FindEditCommand("crossfade")->command, EditCommand::Crossfade);
  EXPECT_EQ(FindEditCommand(""), nullptr);
  EXPECT_EQ(FindEditCommand("convert"), nullptr);
}

}  // namespace
}  // namespace tarkel::test
