// Every change of a sound leaves a record that fits it: a new length can be undone, a change
// without a record never lets an older one be replayed, and a change that no record can be
// kept for (no memory for the copy) goes on only when the user agrees.
#include <gtest/gtest.h>

#include <algorithm>

#include "sound/CopyAllowance.h"
#include "document/CTarkelDoc.h"
#include "document/EditCommands.h"
#include "document/NoUndoWarning.h"
#include "support/Signals.h"
#include "DocumentTestSupport.h"

namespace tarkel {
namespace {

class UndoEveryChange : public test::DocumentTest {
 protected:
  UndoEveryChange() { test::Fill(doc.Sound(), 2, 44100, 16, test::Staircase16(2 * 3000)); }

  bool Run(EditCommand command, uint32_t first, uint32_t last, ChannelMode mode, uint32_t frames = 0) {
    EditArgs args;
    args.frames = frames;
    return RunEditCommand(doc, command, first, last, mode, args);
  }

  CTarkelDoc doc;
};

TEST_F(UndoEveryChange, ANewLengthIsUndoneShorterAndLonger) {
  const std::vector<uint8_t> original = test::Bytes(doc.Sound());
  for (const uint32_t frames : {10u, 1500u, 4000u, 0u}) {
    ASSERT_TRUE(Run(EditCommand::ChangeLength, 0, 0, ChannelMode::Both, frames)) << frames;
    ASSERT_EQ(doc.Sound().Frames(), frames);
    ASSERT_TRUE(doc.UndoLastChange()) << frames;
    EXPECT_EQ(test::Bytes(doc.Sound()), original) << frames;
  }
}

TEST_F(UndoEveryChange, AnOlderRecordIsNeverReplayedOntoALaterChange) {
  ASSERT_TRUE(Run(EditCommand::Delete, 100, 300, ChannelMode::Both));
  const std::vector<uint8_t> deleted = test::Bytes(doc.Sound());
  ASSERT_EQ(doc.Sound().Frames(), 2799u);
  ASSERT_TRUE(Run(EditCommand::ChangeLength, 0, 0, ChannelMode::Both, 1500));
  // Undo takes back the new length, not the delete before it.
  ASSERT_TRUE(doc.UndoLastChange());
  EXPECT_EQ(test::Bytes(doc.Sound()), deleted);
  EXPECT_FALSE(doc.CanUndo());

  // A change that keeps no record of its own leaves nothing older to undo.
  ASSERT_TRUE(Run(EditCommand::Erase, 10, 20, ChannelMode::Both));
  TheUndoStore().SetEnabled(false);
  ASSERT_TRUE(Run(EditCommand::Erase, 30, 40, ChannelMode::Both));
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(UndoEveryChange, ANewFormatIsUndoneWithAndWithoutItsData) {
  const std::vector<uint8_t> original = test::Bytes(doc.Sound());
  ports.chooserResult = kChooseOk;
  ports.chosenFormat = WaveFormat::Pcm(1, 22050, 8);
  for (const bool data : {true, false}) {
    ports.answers = {true};  // the quality-loss question of the conversion
    ASSERT_TRUE(ChangeFormatCommand(doc, data, ChannelMode::Both)) << data;
    ASSERT_EQ(doc.Sound().Channels(), 1);
    ASSERT_TRUE(doc.UndoLastChange()) << data;
    EXPECT_EQ(doc.Sound().Channels(), 2);
    EXPECT_EQ(doc.Sound().BitsPerSample(), 16);
    EXPECT_EQ(doc.Sound().Rate(), 44100u);
    EXPECT_EQ(doc.Sound().Frames(), 3000u);
    EXPECT_EQ(test::Bytes(doc.Sound()), original) << data;
  }
  // A cancelled choice changes nothing and keeps the record of the change before.
  ASSERT_TRUE(Run(EditCommand::Erase, 10, 20, ChannelMode::Both));
  ports.chooserResult = kChooseCancel;
  EXPECT_FALSE(ChangeFormatCommand(doc, true, ChannelMode::Both));
  ASSERT_TRUE(doc.UndoLastChange());
  EXPECT_EQ(test::Bytes(doc.Sound()), original);
}

TEST_F(UndoEveryChange, ANewRateIsUndone) {
  EditArgs speed;
  speed.rate = 11025;
  ASSERT_TRUE(RunEditCommand(doc, EditCommand::Speed, 0, 0, ChannelMode::Both, speed));
  ASSERT_EQ(doc.Sound().Rate(), 11025u);
  ASSERT_TRUE(doc.UndoLastChange());
  EXPECT_EQ(doc.Sound().Rate(), 44100u);
  EXPECT_EQ(doc.Sound().AvgBytesPerSec(), 176400u);
}

TEST_F(UndoEveryChange, AOneChannelTrimOfStereoIsUndoneToStereo) {
  const std::vector<uint8_t> original = test::Bytes(doc.Sound());
  ASSERT_TRUE(Run(EditCommand::Trim, 100, 300, ChannelMode::Right));
  ASSERT_EQ(doc.Sound().Channels(), 1);
  ASSERT_TRUE(doc.UndoLastChange());
  EXPECT_EQ(doc.Sound().Channels(), 2);
  EXPECT_EQ(doc.Sound().BlockAlign(), 4);
  EXPECT_EQ(doc.Sound().AvgBytesPerSec(), 176400u);
  EXPECT_EQ(doc.Sound().PcmCopy().Channels(), 2);
  EXPECT_EQ(test::Bytes(doc.Sound()), original);
}

// A sound of mapped size (the undo copy becomes the sound again when it is undone) goes on
// growing, shrinking and being put back like any other.
TEST_F(UndoEveryChange, ALongSoundPutBackWholeChangesAndIsPutBackAgain) {
  constexpr uint32_t kFrames = 4'500'000;  // 18 MB of 16-bit stereo
  test::Fill(doc.Sound(), 2, 44100, 16, test::Staircase16(2 * kFrames));
  const std::vector<uint8_t> original = test::Bytes(doc.Sound());
  ASSERT_TRUE(Run(EditCommand::Trim, 1000, 2999, ChannelMode::Left));
  ASSERT_TRUE(doc.UndoLastChange());
  ASSERT_EQ(test::Bytes(doc.Sound()), original);

  ASSERT_TRUE(Run(EditCommand::ChangeLength, 0, 0, ChannelMode::Both, kFrames + 1000));
  const std::vector<uint8_t> longer = test::Bytes(doc.Sound());
  ASSERT_EQ(longer.size(), original.size() + 4000);
  EXPECT_TRUE(std::equal(original.begin(), original.end(), longer.begin()));
  EXPECT_TRUE(std::all_of(longer.begin() + original.size(), longer.end(), [](uint8_t b) { return b == 0; }));
  ASSERT_TRUE(doc.UndoLastChange());
  EXPECT_EQ(test::Bytes(doc.Sound()), original);
}

// Without the memory for the undo copy the user is asked first.
TEST_F(UndoEveryChange, NoMemoryForTheCopyAsksAndNoLeavesTheSoundAsItWas) {
  const std::vector<uint8_t> original = test::Bytes(doc.Sound());
  CopyCeiling noMemory(100);
  for (const EditCommand command : {EditCommand::Delete, EditCommand::Trim, EditCommand::Erase}) {
    ports.questions.clear();
    ports.answers = {false};
    EXPECT_FALSE(Run(command, 100, 300, ChannelMode::Left));
    ASSERT_EQ(ports.questions.size(), 1u);
    EXPECT_EQ(ports.questions[0], kNoUndoQuestion);
    EXPECT_EQ(test::Bytes(doc.Sound()), original);
    EXPECT_EQ(doc.Sound().Channels(), 2);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.CanUndo());
  }
  ports.answers = {false};
  EXPECT_FALSE(Run(EditCommand::ChangeLength, 0, 0, ChannelMode::Both, 10));
  EXPECT_EQ(test::Bytes(doc.Sound()), original);
}

TEST_F(UndoEveryChange, NoMemoryForTheCopyAnsweredYesChangesWithoutARecord) {
  // An older record of this document is gone with the change, not replayed.
  ASSERT_TRUE(Run(EditCommand::Erase, 0, 10, ChannelMode::Both));
  CopyCeiling noMemory(100);
  ports.answers = {true};
  ASSERT_TRUE(Run(EditCommand::Delete, 100, 300, ChannelMode::Both));
  EXPECT_EQ(ports.questions.size(), 1u);
  EXPECT_EQ(doc.Sound().Frames(), 2799u);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(UndoEveryChange, WithTheWarningSwitchedOffNothingIsAsked) {
  App().warningIfNoUndo = 0;
  CopyCeiling noMemory(100);
  ASSERT_TRUE(Run(EditCommand::Trim, 100, 301, ChannelMode::Left));
  EXPECT_TRUE(ports.questions.empty());
  EXPECT_EQ(doc.Sound().Channels(), 1);
  EXPECT_FALSE(doc.CanUndo());
  // A copy that fits is still taken.
  ASSERT_TRUE(Run(EditCommand::Erase, 0, 10, ChannelMode::Mono));
  EXPECT_TRUE(doc.CanUndo());
}

TEST_F(UndoEveryChange, UndoSwitchedOffAsksNothing) {
  TheUndoStore().SetEnabled(false);
  CopyCeiling noMemory(0);
  ASSERT_TRUE(Run(EditCommand::Delete, 100, 300, ChannelMode::Both));
  EXPECT_TRUE(ports.questions.empty());
}

}  // namespace
}  // namespace tarkel
