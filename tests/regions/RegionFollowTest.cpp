// Regions follow their sound through cuts, deletes, trims and pastes before, inside and after
// them, as the document reports the changes.
#include "document/EditCommands.h"
#include "regions/RegionFollow.h"
#include "regions/RegionTestSupport.h"

namespace tarkel::test {
namespace {

using Range = std::pair<uint32_t, uint32_t>;

class RegionFollowTest : public RegionListTest {
 protected:
  RegionFollowTest() : doc(StaircaseDocument(1000)) {
    list.Append(RegionOf(*doc, "A", 100, 199));
    list.Append(RegionOf(*doc, "B", 400, 499));
    list.Append(RegionOf(*doc, "C", 700, 799));
  }
  std::map<std::string, Range> Ranges() const {
    std::map<std::string, Range> out;
    for (const auto& r : list.Regions()) out[r.name] = {r.start, r.end};
    return out;
  }
  void Edit(EditCommand command, uint32_t first, uint32_t last, ChannelMode mode = ChannelMode::Mono) {
    ASSERT_TRUE(RunEditCommand(*doc, command, first, last, mode));
  }
  // Puts `frames` frames on the clipboard (a copy does not move regions).
  void CopyFrames(uint32_t frames) { Edit(EditCommand::Copy, 0, frames - 1); }

  std::unique_ptr<CTarkelDoc> doc;
};

TEST_F(RegionFollowTest, ACutBeforeRegionsMovesThemDownByItsLength) {
  Edit(EditCommand::Cut, 300, 349);
  EXPECT_EQ(Ranges(), (std::map<std::string, Range>{{"A", {100, 199}}, {"B", {350, 449}}, {"C", {650, 749}}}));
}

TEST_F(RegionFollowTest, ACutThroughARegionShortensItAndOneAroundItDropsIt) {
  Edit(EditCommand::Cut, 450, 549);  // the end of B
  EXPECT_EQ(Ranges(), (std::map<std::string, Range>{{"A", {100, 199}}, {"B", {400, 449}}, {"C", {600, 699}}}));
  Edit(EditCommand::Cut, 150, 159);  // inside A
  EXPECT_EQ(Ranges(), (std::map<std::string, Range>{{"A", {100, 189}}, {"B", {390, 439}}, {"C", {590, 689}}}));
  Edit(EditCommand::Delete, 380, 450);  // all of B
  EXPECT_EQ(Ranges(), (std::map<std::string, Range>{{"A", {100, 189}}, {"C", {519, 618}}}));
  Edit(EditCommand::Cut, 50, 109);  // the start of A
  EXPECT_EQ(Ranges(), (std::map<std::string, Range>{{"A", {50, 129}}, {"C", {459, 558}}}));
}

TEST_F(RegionFollowTest, ACutAfterEveryRegionMovesNothing) {
  Edit(EditCommand::Cut, 900, 949);
  EXPECT_EQ(Ranges(), (std::map<std::string, Range>{{"A", {100, 199}}, {"B", {400, 499}}, {"C", {700, 799}}}));
}

TEST_F(RegionFollowTest, APasteMovesTheRegionsBehindItAndGrowsTheOneItFallsInto) {
  CopyFrames(50);
  Edit(EditCommand::Paste, 150, 150);  // inside A
  EXPECT_EQ(Ranges(), (std::map<std::string, Range>{{"A", {100, 249}}, {"B", {450, 549}}, {"C", {750, 849}}}));
  Edit(EditCommand::Paste, 20, 20);  // before all
  EXPECT_EQ(Ranges(), (std::map<std::string, Range>{{"A", {150, 299}}, {"B", {500, 599}}, {"C", {800, 899}}}));
  Edit(EditCommand::Paste, 1000, 1000);  // after all
  EXPECT_EQ(Ranges(), (std::map<std::string, Range>{{"A", {150, 299}}, {"B", {500, 599}}, {"C", {800, 899}}}));
}

TEST_F(RegionFollowTest, ATrimKeepsWhatLiesInTheKeptRangeWithOrWithoutUndo) {
  for (const bool undo : {true, false}) {
    doc = StaircaseDocument(1000);
    list.Clear();
    list.Append(RegionOf(*doc, "A", 100, 199));
    list.Append(RegionOf(*doc, "B", 400, 499));
    list.Append(RegionOf(*doc, "C", 700, 799));
    TheUndoStore().SetEnabled(undo);
    Edit(EditCommand::Trim, 150, 449);
    EXPECT_EQ(Ranges(), (std::map<std::string, Range>{{"A", {0, 49}}, {"B", {250, 299}}})) << undo;
  }
}

TEST_F(RegionFollowTest, ChangesInPlaceAndInOneChannelLeaveRegionsWhereTheyAre) {
  Edit(EditCommand::Erase, 100, 600);
  EXPECT_EQ(Ranges(), (std::map<std::string, Range>{{"A", {100, 199}}, {"B", {400, 499}}, {"C", {700, 799}}}));
  doc = StaircaseDocument(1000, 2);
  list.Clear();
  list.Append(RegionOf(*doc, "S", 400, 499));
  Edit(EditCommand::Delete, 100, 199, ChannelMode::Left);  // keeps the length
  EXPECT_EQ(Ranges(), (std::map<std::string, Range>{{"S", {400, 499}}}));
  Edit(EditCommand::Delete, 100, 199, ChannelMode::Both);
  EXPECT_EQ(Ranges(), (std::map<std::string, Range>{{"S", {300, 399}}}));
}

TEST_F(RegionFollowTest, RegionsOfOtherDocumentsStayPut) {
  auto other = StaircaseDocument(1000);
  list.Append(RegionOf(*other, "O", 400, 499));
  Edit(EditCommand::Cut, 0, 99);
  EXPECT_EQ(Ranges()["O"], (Range{400, 499}));
  EXPECT_EQ(Ranges()["B"], (Range{300, 399}));
}

TEST(RegionFollowRule, AmbiguousTrimAndCutAreToldApartByTheUndoRecord) {
  // 10 frames become 5 and the notice names 0..4: a cut of 0..4 or a trim to 0..4.
  const RegionNotice notice{0, 4, ChannelMode::Mono, 1};
  EXPECT_EQ(ClassifyChange(notice, 10, 5, UndoKind::Removal).kind, FrameChange::Kind::Removed);
  EXPECT_EQ(ClassifyChange(notice, 10, 5, UndoKind::Trim).kind, FrameChange::Kind::Kept);
  EXPECT_EQ(ClassifyChange(notice, 10, 5, std::nullopt).kind, FrameChange::Kind::Kept);
  // A length that nothing in the notice explains moves nothing.
  EXPECT_EQ(ClassifyChange(notice, 10, 2, std::nullopt).kind, FrameChange::Kind::None);
  EXPECT_EQ(ClassifyChange({5, 15, ChannelMode::Mono, 0}, 10, 12, std::nullopt).kind, FrameChange::Kind::None);
}

}  // namespace
}  // namespace tarkel::test
