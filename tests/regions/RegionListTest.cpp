// The region list: running numbers, moving, changing, and cue files through the list.
#include <filesystem>
#include <fstream>

#include "cli/CliRunner.h"
#include "regions/CueFile.h"
#include "regions/RegionTestSupport.h"
#include "sound/MessageIds.h"

namespace tarkel::test {
namespace {

std::vector<std::string> Names(const RegionList& list) {
  std::vector<std::string> names;
  for (const auto& r : list.Regions()) names.push_back(r.name);
  return names;
}

TEST_F(RegionListTest, MovingTheFirstUpOrTheLastDownChangesNothing) {
  auto doc = StaircaseDocument(100);
  for (const char* name : {"a", "b", "c"}) list.Append(RegionOf(*doc, name, 0, 10));
  int changes = 0;
  list.changed = [&] { ++changes; };
  EXPECT_FALSE(list.MoveUp(0));
  EXPECT_FALSE(list.MoveDown(2));
  EXPECT_FALSE(list.MoveDown(7));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(list.MoveUp(2));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"a", "c", "b"}));
  EXPECT_TRUE(list.MoveDown(0));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"c", "a", "b"}));
  EXPECT_TRUE(list.Change(1, "chorus", 4));
  EXPECT_EQ(list.At(1).name, "chorus");
  EXPECT_EQ(list.At(1).repeats, 4u);
  EXPECT_TRUE(list.Remove(0));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"chorus", "b"}));
  list.Clear();
  EXPECT_TRUE(list.Empty());
}

TEST_F(RegionListTest, AGivenBackNumberIsTheNextOneAgain) {
  EXPECT_EQ(list.TakeNumber(), 1);
  EXPECT_EQ(list.TakeNumber(), 2);
  list.GiveBackNumber();  // the Add dialog was cancelled
  EXPECT_EQ(list.TakeNumber(), 2);
}

class CueListTest : public RegionListTest {
 protected:
  TempDir dir;
  std::string Cue(const std::string& name) { return (dir / name).string(); }
};

TEST_F(CueListTest, LoadingTwiceAppendsTwiceAndNumbersEveryRegionAnew) {
  auto doc = StaircaseDocument(1000);
  doc->SetPathName((dir / "s.wav").string());
  list.Append(RegionOf(*doc, "verse", 0, 98, 2));
  list.Append(RegionOf(*doc, "chorus", 200, 300, 1, 1));
  ASSERT_TRUE(list.SaveCueFile(Cue("x.cue")));
  list.Clear();

  MapOpener opener;
  opener.documents[(dir / "s.wav").string()] = doc.get();
  ASSERT_TRUE(list.LoadCueFile(Cue("x.cue"), opener));
  ASSERT_TRUE(list.LoadCueFile(Cue("x.cue"), opener));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"verse", "chorus", "verse", "chorus"}));
  EXPECT_EQ(list.At(1).start, 200u);
  EXPECT_EQ(list.At(1).end, 300u);
  EXPECT_EQ(list.At(1).channel, 1);
  EXPECT_EQ(list.At(0).repeats, 2u);
  for (const auto& r : list.Regions()) EXPECT_EQ(r.document, doc.get());
  // The second load numbered all four regions after the two of the first.
  EXPECT_EQ(list.At(0).number, 3);
  EXPECT_EQ(list.At(3).number, 6);
  // Regions that already had their document were not opened again.
  EXPECT_EQ(opener.opens, 4);
  EXPECT_TRUE(ports.messages.empty());
}

TEST_F(CueListTest, RegionsOfSoundsThatCannotBeOpenedAreDroppedSilently) {
  auto doc = StaircaseDocument(1000);
  CWaveSelection lost = RegionOf(*doc, "lost", 0, 10);
  lost.document = nullptr;
  lost.filePath = "/nowhere/gone.wav";
  CWaveSelection kept = RegionOf(*doc, "kept", 0, 10);
  kept.document = nullptr;
  kept.filePath = "/here/s.wav";
  const std::vector<uint8_t> bytes = WriteCueBytes({lost, kept, lost});
  WriteFileBytes(dir / "y.cue", bytes);
  MapOpener opener;
  opener.documents["/here/s.wav"] = doc.get();
  EXPECT_TRUE(list.LoadCueFile(Cue("y.cue"), opener));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"kept"}));
  EXPECT_TRUE(ports.messages.empty());
}

TEST_F(CueListTest, ADamagedCueFileIsReportedAndKeepsTheRegionsBeforeTheDamage) {
  auto doc = StaircaseDocument(1000);
  doc->SetPathName("/here/s.wav");
  list.Append(RegionOf(*doc, "one", 0, 10));
  list.Append(RegionOf(*doc, "two", 20, 30));
  std::vector<uint8_t> bytes = WriteCueBytes(list.Regions());
  bytes.resize(bytes.size() - 3);
  WriteFileBytes(dir / "cut.cue", bytes);
  list.Clear();
  MapOpener opener;
  opener.documents["/here/s.wav"] = doc.get();
  EXPECT_FALSE(list.LoadCueFile(Cue("cut.cue"), opener));
  EXPECT_EQ(ports.messages, (std::vector<int>{msg::kCueFileDamaged}));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"one"}));

  ports.messages.clear();
  EXPECT_FALSE(list.LoadCueFile(Cue("missing.cue"), opener));
  EXPECT_EQ(ports.messages, (std::vector<int>{msg::kOpenFileError}));
  EXPECT_EQ(list.Size(), 1u);
}

TEST_F(CueListTest, SavingIntoAFolderThatDoesNotExistFailsWithAMessage) {
  auto doc = StaircaseDocument(100);
  list.Append(RegionOf(*doc, "a", 0, 10));
  EXPECT_FALSE(list.SaveCueFile((dir / "no" / "x.cue").string()));
  EXPECT_EQ(ports.messages, (std::vector<int>{msg::kCreateFileError}));
}

TEST_F(RegionListTest, AClosingDocumentTakesItsRegionsAlong) {
  auto one = StaircaseDocument(100), two = StaircaseDocument(100);
  list.Append(RegionOf(*one, "a", 0, 10));
  list.Append(RegionOf(*two, "b", 0, 10));
  list.Append(RegionOf(*one, "c", 20, 30));
  one->Close();
  EXPECT_EQ(Names(list), (std::vector<std::string>{"b"}));
}

}  // namespace
}  // namespace tarkel::test
