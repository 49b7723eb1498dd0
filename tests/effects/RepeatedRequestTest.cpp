// A request is a value: running it never changes it, so a dialog's Preview followed by OK applies
// exactly what OK alone applies, and copies of a request stand on their own.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "document/CTarkelDoc.h"
#include "document/EffectCommands.h"
#include "document/UndoStore.h"
#include "effects/EffectTable.h"
#include "EffectTestSupport.h"

namespace tarkel::test {
namespace {

// One request per effect, with values that make each one change the sound: the table's effects
// by their command-line names, then the operations without a number.
const char* const kRequests[] = {
    "hall:2,10",         "echo:2,100",        "robotize:2,3,40",      "highpass",          "lowpass",
    "bandpass",          "noisegate:20",      "boostlong",            "boostshort",        "chcross:100,0,3,1",
    "fade:100,0",        "synth:5,0,0,44000",  "vibrato:3,20,40,100",  "reverse",           "amiga",
    "normalize",         "volume:50",         "vibverb:20,60",        "digidelay:10",      "metal:20,60,2",
    "tube:2,100,200",    "dtmf:5,0815#",      "fusion:100,0",         "offset:300",
    "filter:100,2000,50,10,1024,1",           "equalizer:100,0,50,100,100",
    "invert",            "swap",              "match",                "envelope:10,0,0,5,80,10,20",
};

// Every effect of the table has a request above.
TEST(RepeatedRequest, EveryTableEffectIsCovered) {
  for (const EffectEntry& e : AllEffects()) {
    bool found = false;
    for (const char* text : kRequests)
      found = found || std::string(text).substr(0, std::string(text).find(':')) == e.name;
    EXPECT_TRUE(found) << e.name;
  }
}

class PreviewThenApply : public ::testing::TestWithParam<std::tuple<const char*, ChannelMode>> {
 protected:
  PreviewThenApply() {
    TheUndoStore().DropSaved();
    TheUndoStore().SetEnabled(true);
  }
  ~PreviewThenApply() override { TheUndoStore().DropSaved(); }

  static void FillSound(CTarkelDoc& doc) {
    std::vector<int16_t> left = Sine16(440, 8000, 4000, 9000), right = Sine16(1300, 8000, 4000, 5000);
    std::vector<int16_t> stereo(8000);
    for (size_t i = 0; i < 4000; ++i) {
      stereo[2 * i] = left[i];
      stereo[2 * i + 1] = int16_t(right[i] + 700);
    }
    Fill16(doc.Sound(), 2, 8000, stereo);
  }

  static EffectRequest Parse(const char* text) {
    std::string error;
    auto r = ParseEffectRequest(text, error);
    EXPECT_TRUE(r) << error;
    return r ? *r : EffectRequest{};
  }

  RecordingPorts ports;
};

TEST_P(PreviewThenApply, AppliesWhatApplyAloneApplies) {
  const auto [text, mode] = GetParam();
  const EffectRequest request = Parse(text);
  const EffectParams before = request.params;

  CTarkelDoc alone;
  FillSound(alone);
  const bool appliedAlone = ApplyEffectCommand(alone, request, 200, 3199, mode);

  CTarkelDoc previewed;
  FillSound(previewed);
  const std::vector<uint8_t> original = Bytes(previewed.Sound());
  PreviewEffectCommand(previewed, request, 200, 3199, mode);
  EXPECT_EQ(Bytes(previewed.Sound()), original) << "a preview changed the sound";
  EXPECT_EQ(ApplyEffectCommand(previewed, request, 200, 3199, mode), appliedAlone);
  EXPECT_EQ(Bytes(previewed.Sound()), Bytes(alone.Sound()));
  // A second OK with the same request does to the result what the first did to the original.
  EXPECT_EQ(std::memcmp(&request.params, &before, sizeof before), 0) << "running the request changed it";
}

INSTANTIATE_TEST_SUITE_P(EveryEffect, PreviewThenApply,
                         ::testing::Combine(::testing::ValuesIn(kRequests),
                                            ::testing::Values(ChannelMode::Both, ChannelMode::Right)),
                         [](const auto& info) {
                           std::string name = std::get<0>(info.param);
                           name = name.substr(0, name.find(':'));
                           return name + (std::get<1>(info.param) == ChannelMode::Both ? "_Both" : "_Right");
                         });

TEST(RepeatedRequest, CopiesKeepTheirOwnDigits) {
  std::string error;
  auto parsed = ParseEffectRequest("dtmf:5,0815#", error);
  ASSERT_TRUE(parsed);
  auto original = std::make_unique<EffectRequest>(*parsed);
  original->Bind();
  EffectRequest copy = *original;
  EffectRequest moved = std::move(*original);
  original.reset();
  EXPECT_STREQ(copy.params.digits, "0815#");
  EXPECT_STREQ(moved.params.digits, "0815#");
  EXPECT_STREQ(copy.Record().digits, "0815#");
  // The record of an unbound request still carries the digits to the driver.
  EXPECT_STREQ(parsed->Record().digits, "0815#");
  EXPECT_EQ(parsed->params.digits, nullptr);
}

}  // namespace
}  // namespace tarkel::test
