// The command-line form of effect requests.
#include <gtest/gtest.h>

#include "effects/EffectIds.h"
#include "effects/EffectRequest.h"
#include "effects/EffectTable.h"

namespace tarkel {
namespace {

std::optional<EffectRequest> Parse(std::string_view text) {
  std::string error;
  auto r = ParseEffectRequest(text, error);
  if (r) r->Bind();
  return r;
}

TEST(EffectRequestTest, NamesAndNumbersFillTheRecordInOrder) {
  auto r = Parse("echo:3,100");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->params.effectId, effect::kEcho);
  EXPECT_EQ(r->params.param1, 3);
  EXPECT_EQ(r->params.param2, 100);
  r = Parse("13:100,-5");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->params.effectId, effect::kFade);
  EXPECT_EQ(r->params.param2, -5);
  r = Parse("filter:100,2000,50,10,1024,1");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->params.param5, 1024);
  EXPECT_EQ(r->params.param6, 1u);
  r = Parse("reverse");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->entry->driver, &ReverseRange);
}

TEST(EffectRequestTest, SpecialForms) {
  auto r = Parse("dtmf:5,0815#");
  ASSERT_TRUE(r);
  EXPECT_STREQ(r->params.digits, "0815#");
  EXPECT_EQ(r->params.param2, 5);
  r = Parse("equalizer:100,0,50.5,100,100");
  ASSERT_TRUE(r);
  EXPECT_DOUBLE_EQ(r->params.real3, 50.5);
  r = Parse("envelope:100,0,0,100,50");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->operation, EffectOperation::Envelope);
  ASSERT_EQ(r->points.size(), 2u);
  EXPECT_EQ(r->points[1].y, 50);
  EXPECT_EQ(Parse("swap")->operation, EffectOperation::Swap);
}

TEST(EffectRequestTest, RefusesUnknownNamesAndBadValues) {
  for (const char* bad : {"", "nope", "9", "11", "12", "30", "echo:1,x", "echo:1,,2", "echo:1,2,3,4,5,6,7",
                          "invert:1", "envelope:0,0,0", "envelope:100,0", "dtmf:5", "dtmf:x,12",
                          "equalizer:1,2,3", "fade:99999999999"}) {
    std::string error;
    EXPECT_FALSE(ParseEffectRequest(bad, error)) << bad;
    EXPECT_FALSE(error.empty()) << bad;
  }
}

}  // namespace
}  // namespace tarkel
