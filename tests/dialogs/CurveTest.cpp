// The curve editors' model: points kept sorted, ends pinned, and the curve as filter gains.
#include <gtest/gtest.h>

#include "dialogs/CurveCommands.h"

namespace tarkel {
namespace {

TEST(CurveModel, PointsStaySortedAndTheEndsStay) {
  CurveModel curve(0);
  EXPECT_EQ(curve.Add(600, 40), 1);
  EXPECT_EQ(curve.Add(300, 10), 1);
  EXPECT_EQ(curve.Add(0, 10), -1);  // on an end
  ASSERT_EQ(curve.Points().size(), 4u);
  curve.Move(1, 900, 200);  // cannot pass its neighbour; y clamped
  EXPECT_EQ(curve.Points()[1], (CPointOb{600, 100}));
  curve.Move(0, 500, 30);  // an end moves vertically only
  EXPECT_EQ(curve.Points()[0], (CPointOb{0, 30}));
  EXPECT_FALSE(curve.Remove(0));
  EXPECT_FALSE(curve.Remove(3));
  EXPECT_EQ(curve.HitTest(605, 98, 10, 5), 1);
  EXPECT_EQ(curve.HitTest(450, 50, 10, 5), -1);
  EXPECT_TRUE(curve.Remove(1));
  EXPECT_EQ(curve.Points().size(), 3u);
  EXPECT_DOUBLE_EQ(curve.HeightAt(300), 35.0);  // halfway from (0,30) to (600,40)
}

TEST(CurveModel, SetPointsSortsAndPinsTheEnds) {
  CurveModel curve;
  EXPECT_TRUE(curve.SetPoints(100, {{80, 5}, {10, 7}, {50, 300}}));
  EXPECT_EQ(curve.Points(), (std::vector<CPointOb>{{0, 7}, {50, 100}, {100, 5}}));
  EXPECT_FALSE(curve.SetPoints(0, {{0, 0}, {1, 1}}));
  EXPECT_FALSE(curve.SetPoints(100, {{0, 0}}));
}

TEST(CurveGains, TheMiddleIsUnityTheTopDoubleTheBottomSilence) {
  EXPECT_DOUBLE_EQ(CurveGainAt(50), 1.0);
  EXPECT_DOUBLE_EQ(CurveGainAt(0), 2.0);
  EXPECT_DOUBLE_EQ(CurveGainAt(100), 0.0);
  CurveModel lowPass(50);
  lowPass.Add(500, 50);
  lowPass.Add(501, 100);
  lowPass.Move(3, kCurveWidth, 100);
  const std::vector<double> gains = CurveBinGains(lowPass, 1024);
  ASSERT_EQ(gains.size(), 513u);
  EXPECT_DOUBLE_EQ(gains[0], 1.0);
  EXPECT_DOUBLE_EQ(gains[256], 1.0);
  EXPECT_DOUBLE_EQ(gains[300], 0.0);
  EXPECT_DOUBLE_EQ(gains[512], 0.0);
}

}  // namespace
}  // namespace tarkel
