// The region list marks the region being heard: the follower walks a play script with the
// player's position, forward only, through repeats, overlapping regions and several sounds.
#include "regions/RegionTestSupport.h"
#include "regions/ScriptFollower.h"

namespace tarkel::test {
namespace {

class ScriptFollowerTest : public ::testing::Test {
 protected:
  ScriptFollowerTest() : a(StaircaseDocument(1000)), b(StaircaseDocument(1000)) {}
  PlayPosition At(const CTarkelDoc& doc, uint32_t frame) { return {&doc.Sound(), frame}; }

  std::unique_ptr<CTarkelDoc> a, b;
  ScriptFollower follower;
};

TEST_F(ScriptFollowerTest, FollowsTheScriptForwardThroughOverlapsAndSounds) {
  // List places 0..3; place 2 plays nothing and is not in the script.
  follower.Start({{a.get(), 100, 199, 3, 0}, {a.get(), 150, 299, 1, 1}, {b.get(), 0, 99, 1, 3}});
  EXPECT_EQ(follower.Update(At(*a, 100)), 0);
  EXPECT_EQ(follower.Update(At(*a, 170)), 0);   // inside both: the earlier piece stays
  EXPECT_EQ(follower.Update(At(*a, 120)), 0);   // a repeat starts over
  EXPECT_EQ(follower.Update(At(*a, 250)), 1);   // only the next piece holds it
  EXPECT_EQ(follower.Update(At(*a, 160)), 1);   // never back to a piece already heard
  EXPECT_EQ(follower.Update(PlayPosition{}), 1);  // device reopened for the other sound
  EXPECT_EQ(follower.Update(At(*b, 40)), 3);
  EXPECT_EQ(follower.Update(At(*a, 700)), 3);   // a frame no piece holds changes nothing
  EXPECT_EQ(follower.Update(std::nullopt), -1);  // the script has ended
  EXPECT_FALSE(follower.Running());
  EXPECT_EQ(follower.Update(At(*b, 40)), -1);
}

TEST_F(ScriptFollowerTest, EndOfAPieceStillCountsAsThatPiece) {
  follower.Start({{a.get(), 100, 199, 1, 4}, {a.get(), 200, 299, 1, 5}});
  EXPECT_EQ(follower.Update(At(*a, 200)), 4);  // one past the last frame: the device finishing it
  EXPECT_EQ(follower.Update(At(*a, 201)), 5);
  follower.Stop();
  EXPECT_EQ(follower.Update(At(*a, 250)), -1);
}

}  // namespace
}  // namespace tarkel::test
