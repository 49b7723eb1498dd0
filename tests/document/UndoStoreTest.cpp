#include <gtest/gtest.h>

#include <cstring>

#include "document/CTarkelDoc.h"
#include "document/UndoStore.h"
#include "support/Signals.h"
#include "DocumentTestSupport.h"

namespace tarkel {
namespace {

using test::DocumentTest;

// Removes bytes start..end of the sound in place, as a cut of whole frames does.
EditOutcome RemoveBytes(DocWaveAudio& sound, uint32_t start, uint32_t end) {
  uint8_t* data = sound.Data();
  std::memmove(data + start, data + end, sound.DataSize() - end);
  if (!sound.ResizeData(sound.DataSize() - (end - start))) return EditOutcome::Failed();
  return EditOutcome::Changed(sound.BytesToFrames(start), sound.BytesToFrames(end) - 1, ChannelMode::Both);
}

class UndoStoreTest : public DocumentTest {
 protected:
  UndoStore& store = TheUndoStore();
};

TEST_F(UndoStoreTest, InPlaceChangeIsRestoredExactlyAndOnlyThere) {
  CTarkelDoc doc;
  test::Fill(doc.Sound(), 1, 22050, 8, test::Staircase8(1000));
  ASSERT_TRUE(doc.RunEdit(UndoRequest::Of(UndoKind::Replacement, 100, 200), ChannelMode::Mono, [](DocWaveAudio& s) {
    std::memset(s.Data() + 100, 0, 100);
    return EditOutcome::Done();
  }));
  EXPECT_EQ(store.SavedSize(), 100u);
  doc.Sound().Data()[300] = 0xEE;  // outside the record: Undo must not touch it

  ASSERT_TRUE(doc.CanUndo());
  ASSERT_TRUE(doc.UndoLastChange());
  std::vector<uint8_t> expected = test::Staircase8(1000);
  expected[300] = 0xEE;
  EXPECT_EQ(test::Bytes(doc.Sound()), expected);
}

TEST_F(UndoStoreTest, CutOfBothChannelsIsUndoneExactly) {
  CTarkelDoc doc;
  test::RecordingView view;
  doc.AddObserver(&view);
  const std::vector<uint8_t> original = test::Staircase16(400);  // 200 stereo frames
  test::Fill(doc.Sound(), 2, 44100, 16, original);
  // Frames 10..29 (bytes 40..120) go away.
  ASSERT_TRUE(doc.RunEdit(UndoRequest::Of(UndoKind::Removal, 40, 120), ChannelMode::Both,
                          [](DocWaveAudio& s) { return RemoveBytes(s, 40, 120); }));
  ASSERT_EQ(doc.Sound().Frames(), 180u);
  ASSERT_EQ(regions.notices.size(), 1u);
  EXPECT_EQ(regions.notices[0].start, 10u);
  EXPECT_EQ(regions.notices[0].end, 29u);
  EXPECT_EQ(regions.notices[0].restore, 1);

  ASSERT_TRUE(doc.UndoLastChange());
  EXPECT_EQ(test::Bytes(doc.Sound()), original);
  EXPECT_EQ(doc.Sound().Frames(), 200u);
  ASSERT_FALSE(view.lengths.empty());
  EXPECT_EQ(view.lengths.back(), 200u);  // the views learnt the restored length
}

TEST_F(UndoStoreTest, AfterUndoTheCommandIsDisabledUntilTheNextChange) {
  CTarkelDoc doc;
  test::Fill(doc.Sound(), 1, 22050, 8, test::Staircase8(50));
  auto invert = [](DocWaveAudio& s) {
    for (uint32_t i = 0; i < s.DataSize(); ++i) s.Data()[i] = uint8_t(~s.Data()[i]);
    return EditOutcome::Done();
  };
  ASSERT_TRUE(doc.RunEdit(UndoRequest::Of(UndoKind::Replacement, 0, 50), ChannelMode::Mono, invert));
  ASSERT_TRUE(doc.UndoLastChange());
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.UndoLastChange());
  EXPECT_EQ(test::Bytes(doc.Sound()), test::Staircase8(50));

  ASSERT_TRUE(doc.RunEdit(UndoRequest::Of(UndoKind::Replacement, 0, 50), ChannelMode::Mono, invert));
  EXPECT_TRUE(doc.CanUndo());
}

TEST_F(UndoStoreTest, SwitchedOffLeavesAnotherDocumentsRecord) {
  CTarkelDoc first, second;
  test::Fill(first.Sound(), 1, 22050, 8, test::Staircase8(64));
  test::Fill(second.Sound(), 1, 22050, 8, test::Staircase8(64));
  store.SetDataBase(first.Sound().Data());
  ASSERT_TRUE(store.SaveUndo(&first, 0, 10, ChannelMode::Mono, UndoKind::Replacement));

  store.ToggleEnabled();  // "Disable Undo"
  EXPECT_TRUE(store.DisableUndoChecked());
  EXPECT_TRUE(second.RunEdit(UndoRequest::Of(UndoKind::Replacement, 0, 64), ChannelMode::Mono,
                             [](DocWaveAudio&) { return EditOutcome::Done(); }));
  EXPECT_TRUE(first.CanUndo());
  EXPECT_FALSE(second.CanUndo());
  EXPECT_EQ(store.SavedSize(), 10u);

  store.ToggleEnabled();
  EXPECT_FALSE(store.DisableUndoChecked());
  EXPECT_FALSE(second.UndoLastChange());  // not the owner
}

TEST_F(UndoStoreTest, OneChannelRemovalTrimAndMoveKeepTheWholeSound) {
  CTarkelDoc doc;
  test::Fill(doc.Sound(), 2, 22050, 8, test::Staircase8(100));
  store.SetDataBase(doc.Sound().Data());
  for (UndoKind kind : {UndoKind::Removal, UndoKind::Trim, UndoKind::MoveCopy}) {
    for (ChannelMode mode : {ChannelMode::Left, ChannelMode::Right}) {
      ASSERT_TRUE(store.SaveUndo(&doc, 10, 20, mode, kind));
      EXPECT_EQ(store.Kind(), UndoKind::Snapshot);
      EXPECT_EQ(std::vector<uint8_t>(store.SavedBytes(), store.SavedBytes() + store.SavedSize()),
                test::Staircase8(100));
    }
  }
  EXPECT_TRUE(store.SaveUndo(&doc, 10, 20, ChannelMode::Left, UndoKind::Replacement));
  EXPECT_TRUE(store.SaveUndo(&doc, 10, 20, ChannelMode::Right, UndoKind::Insertion));
  EXPECT_EQ(store.SavedSize(), 0u);
}

TEST_F(UndoStoreTest, CuttingTheLeftChannelIsUndoneFromTheWholeSound) {
  CTarkelDoc doc;
  test::Fill(doc.Sound(), 2, 22050, 8, test::Staircase8(100));
  EXPECT_TRUE(doc.RunEdit(UndoRequest::Of(UndoKind::Removal, 20, 40), ChannelMode::Left, [&](DocWaveAudio& s) {
    std::memset(s.Data(), 127, s.DataSize());
    return EditOutcome::Changed(10, 19, ChannelMode::Left);
  }));
  EXPECT_TRUE(doc.IsModified());
  ASSERT_TRUE(doc.CanUndo());
  ASSERT_TRUE(doc.UndoLastChange());
  EXPECT_EQ(test::Bytes(doc.Sound()), test::Staircase8(100));
}

TEST_F(UndoStoreTest, TrimSavesTheWholeSoundAndRangesOutsideTheDataTakeNoRecord) {
  CTarkelDoc doc;
  test::Fill(doc.Sound(), 1, 22050, 8, test::Staircase8(100));
  store.SetDataBase(doc.Sound().Data());
  ASSERT_TRUE(store.SaveUndo(&doc, 20, 40, ChannelMode::Mono, UndoKind::Trim));
  EXPECT_EQ(store.SavedSize(), 100u);
  EXPECT_EQ(std::vector<uint8_t>(store.SavedBytes(), store.SavedBytes() + 100), test::Staircase8(100));

  EXPECT_FALSE(store.SaveUndo(&doc, 90, 101, ChannelMode::Mono, UndoKind::Replacement));
  EXPECT_FALSE(store.SaveUndo(&doc, 50, 40, ChannelMode::Mono, UndoKind::Removal));
  EXPECT_FALSE(doc.CanUndo());
  store.SetDataBase(nullptr);
  EXPECT_FALSE(store.SaveUndo(&doc, 0, 10, ChannelMode::Mono, UndoKind::Replacement));
}

// A view that tries to take a record while it is told about the reversal.
struct RecordingDuringUndo : DocumentObserver {
  void OnDocumentUpdate(CTarkelDoc&, uint32_t) override {}
  void OnLengthReset(CTarkelDoc& doc) override {
    if (calls++) return;  // the first notice comes from inside the reversal
    TheUndoStore().SetDataBase(doc.Sound().Data());
    tookRecord = TheUndoStore().SaveUndo(&doc, 0, 2, ChannelMode::Mono, UndoKind::Replacement);
    suspended = TheUndoStore().Suspended();
  }
  bool tookRecord = true;
  bool suspended = false;
  int calls = 0;
};

TEST_F(UndoStoreTest, NoRecordIsTakenWhileUndoRuns) {
  CTarkelDoc doc;
  RecordingDuringUndo view;
  test::Fill(doc.Sound(), 1, 22050, 8, test::Staircase8(40));
  ASSERT_TRUE(doc.RunEdit(UndoRequest::Of(UndoKind::Removal, 10, 20), ChannelMode::Mono,
                          [](DocWaveAudio& s) { return RemoveBytes(s, 10, 20); }));
  doc.AddObserver(&view);
  ASSERT_TRUE(doc.UndoLastChange());
  EXPECT_TRUE(view.suspended);
  EXPECT_FALSE(view.tookRecord);
  EXPECT_FALSE(store.Suspended());
  EXPECT_EQ(test::Bytes(doc.Sound()), test::Staircase8(40));
  doc.RemoveObserver(&view);
}

TEST_F(UndoStoreTest, RecordGoesWithItsDocumentOnly) {
  auto owner = std::make_unique<CTarkelDoc>();
  CTarkelDoc other;
  test::Fill(owner->Sound(), 1, 22050, 8, test::Staircase8(20));
  store.SetDataBase(owner->Sound().Data());
  ASSERT_TRUE(store.SaveUndo(owner.get(), 0, 5, ChannelMode::Mono, UndoKind::Replacement));
  other.ClearContents();
  EXPECT_TRUE(owner->CanUndo());
  owner->ClearContents();
  EXPECT_FALSE(owner->CanUndo());

  store.SetDataBase(owner->Sound().Data());
  ASSERT_TRUE(store.SaveUndo(owner.get(), 0, 0, ChannelMode::Mono, UndoKind::Insertion));
  owner.reset();
  EXPECT_EQ(store.Owner(), nullptr);
}

}  // namespace
}  // namespace tarkel
