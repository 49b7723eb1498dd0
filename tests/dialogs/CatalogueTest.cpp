// The dialog catalogue: what each dialog opens with, how its trackbars stand for values, and the
// record its OK builds.
#include <gtest/gtest.h>

#include <map>

#include "dialogs/DialogCommand.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"

namespace tarkel {
namespace {

const DialogDecl& Dialog(const char* name) {
  const DialogDecl* dialogDecl = FindDialogByName(name);
  EXPECT_NE(dialogDecl, nullptr) << name;
  return *dialogDecl;
}

size_t Index(const DialogDecl& dialogDecl, const char* label) {
  for (size_t i = 0; i < dialogDecl.params.size(); ++i)
    if (std::string(dialogDecl.params[i].label) == label) return i;
  ADD_FAILURE() << label;
  return 0;
}

// The values each dialog shows when it opens (trackbar-only parameters as the record gets them).
TEST(Catalogue, DialogsOpenWithTheirInitialValues) {
  const std::map<std::string, std::vector<int32_t>> initial = {
      {"echo", {2, 700}},          {"hall", {2, 0}},           {"vibverb", {20, 0}},
      {"robotize", {4, 26, 40}},   {"metal", {40, 40, 4}},     {"tube", {2, 0, 800}},
      {"vibrato", {4, 1000, 10, 100}}, {"digidelay", {100}},   {"fade", {10, 90}},
      {"fusion", {100, 100}},      {"chcross", {10, 90, 2, 0}}, {"crossfade", {10, 90, 0}},
      {"filter", {1500, 3000, 100, 100, 8192, 1}}, {"equalizer", {100, 100, 100, 100, 100}},
      {"synth", {10, 7, 0, 100000}}, {"dtmf", {1, 0}},          {"volume", {100}},
      {"offset", {0}},
  };
  for (const auto& [name, expected] : initial) {
    const DialogValues values(Dialog(name.c_str()));
    std::vector<int32_t> shown;
    for (size_t i = 0; i < values.Entry().params.size(); ++i)
      shown.push_back(values.Entry().params[i].kind == ParamKind::Slider ? values.Value(i) : values.RecordValue(i));
    EXPECT_EQ(shown, expected) << name;
  }
}

TEST(Catalogue, PresetFilesAndOrders) {
  const std::map<std::string, std::pair<std::string, uint32_t>> files = {
      {"echo", {"Echo.par", 2}},     {"hall", {"Hall.par", 2}},         {"vibverb", {"Reverb.par", 2}},
      {"robotize", {"Robo.par", 3}}, {"metal", {"Mech.par", 3}},        {"tube", {"Tube.par", 3}},
      {"vibrato", {"Vibrato.par", 4}}, {"digidelay", {"Digit.par", 1}}, {"fade", {"FadeInOut.par", 2}},
      {"fusion", {"CrossFade.par", 2}}, {"chcross", {"ChCross.par", 3}}, {"crossfade", {"ClipCross.par", 2}},
      {"filter", {"Filter.par", 6}}, {"equalizer", {"FilterEq.par", 5}}, {"synth", {"Synthese.par", 4}},
      {"dtmf", {"DTMF.par", 1}},     {"volume", {"VolumeSet.par", 1}},  {"offset", {"Offset.par", 1}},
  };
  for (const auto& [name, file] : files) {
    EXPECT_EQ(Dialog(name.c_str()).presetFile, file.first);
    EXPECT_EQ(Dialog(name.c_str()).PresetValueCount(), file.second) << name;
  }
  EXPECT_EQ(FindDialogByName("delay"), FindDialogByName("digidelay"));
  EXPECT_EQ(FindDialogByName("speed"), nullptr);  // no presets
  EXPECT_EQ(FindDialogByCommand(cmd::kSampleSpeed)->presetFile, nullptr);
}

TEST(Catalogue, EditsClampAndMoveTheirTrackbars) {
  DialogValues echo(Dialog("echo"));
  echo.SetValue(0, 0);
  echo.Clamp(0);
  EXPECT_EQ(echo.Value(0), 1);
  EXPECT_EQ(echo.Position(0), -1);  // the bottom of -18..-1
  echo.SetValue(1, 5000);
  echo.Clamp(1);
  EXPECT_EQ(echo.Value(1), 1000);
  EXPECT_EQ(echo.Position(1), -10);

  DialogValues metal(Dialog("metal"));
  metal.SetValue(2, 3);
  EXPECT_EQ(metal.Position(2), -3);
  DialogValues tube(Dialog("tube"));
  tube.SetValue(2, 500);
  EXPECT_EQ(tube.Position(2), -5);
  DialogValues vibrato(Dialog("vibrato"));
  vibrato.SetValue(3, 50);
  EXPECT_EQ(vibrato.Position(3), -5);
  EXPECT_EQ(vibrato.Position(0), -2);
  DialogValues hall(Dialog("hall"));
  hall.SetValue(1, 50);
  EXPECT_EQ(hall.Position(1), -(50 * 9 / 100) - 6);
  hall.SetPosition(1, -15);
  EXPECT_EQ(hall.Value(1), 100);
  DialogValues robot(Dialog("robotize"));
  robot.SetValue(2, 45);  // -((45 - 50) / 10) = 0
  EXPECT_EQ(robot.Position(2), 0);
  robot.SetPosition(2, -5);
  EXPECT_EQ(robot.Value(2), 100);
}

TEST(Catalogue, OkBuildsTheRecordOfEachDialog) {
  DialogValues hall(Dialog("hall"));
  hall.SetValue(1, 100);
  DialogCommand c = BuildDialogCommand(hall);
  EXPECT_EQ(c.request.params.effectId, effect::kHall);
  EXPECT_EQ(c.request.params.param2, 15);
  EXPECT_EQ(c.request.entry, FindEffect(effect::kHall));

  c = BuildDialogCommand(DialogValues(Dialog("robotize")));
  EXPECT_EQ(c.request.params.param2, 26 * 15 / 100);
  EXPECT_EQ(c.request.params.param3, -10);
  c = BuildDialogCommand(DialogValues(Dialog("tube")));
  EXPECT_EQ(c.request.params.param2, 100);

  DialogValues synth(Dialog("synth"));
  synth.SetPosition(0, -3);
  synth.SetPosition(1, -5);
  synth.SetValue(3, FrequencyBits(440.5f));
  c = BuildDialogCommand(synth);
  EXPECT_EQ(c.request.params.param1, 30);
  EXPECT_EQ(c.request.params.param2, 5);
  EXPECT_EQ(c.request.params.param4, 44050);
  EXPECT_EQ(synth.PresetValues(), (std::vector<int32_t>{-3, -5, 0, FrequencyBits(440.5f)}));

  DialogValues filter(Dialog("filter"));
  filter.SetValue(Index(filter.Entry(), "Mode"), 2);  // Bandstop: the two-gain band design
  c = BuildDialogCommand(filter);
  EXPECT_EQ(c.request.params.param5, 8192);
  EXPECT_EQ(c.request.params.param6, 1u);
  EXPECT_EQ(filter.PresetValues().back(), 2);

  c = BuildDialogCommand(DialogValues(Dialog("equalizer")));
  EXPECT_EQ(c.request.params.param5, 1024);
  EXPECT_EQ(c.request.params.real5, 100.0);

  DialogValues dtmf(Dialog("dtmf"));
  dtmf.SetText("123#");
  c = BuildDialogCommand(dtmf);
  c.request.Bind();  // the record points at the request's own copy of the digits
  EXPECT_STREQ(c.request.params.digits, "123#");
  EXPECT_EQ(c.request.params.param1, 1);

  DialogValues cross(Dialog("chcross"));
  cross.ApplyPresetValues({30, 70, -4});
  c = BuildDialogCommand(cross);
  EXPECT_EQ(c.request.params.param3, 4);
  EXPECT_EQ(c.request.params.param4, 0);

  DialogValues clip(Dialog("crossfade"));
  clip.SetValue(2, 1);
  c = BuildDialogCommand(clip);
  EXPECT_EQ(c.operation, DialogOperation::ClipCrossfade);
  EXPECT_EQ(c.editCommand, EditCommand::CrossfadeExactly);
  EXPECT_EQ(c.edit.crossfade.soundStartLevel, 10);
  EXPECT_EQ(clip.PresetValues(), (std::vector<int32_t>{10, 90}));
}

TEST(Catalogue, OkValidatesTheOffsetBySampleWidthAndTheFrequency) {
  DialogValues offset(Dialog("offset"));
  offset.SetValue(0, 300);
  EXPECT_TRUE(offset.Validate(8).has_value());
  EXPECT_FALSE(offset.Validate(16).has_value());
  offset.SetValue(0, -1);
  EXPECT_TRUE(offset.Validate(8).has_value());
  DialogValues synth(Dialog("synth"));
  synth.SetValue(3, FrequencyBits(0.05f));
  EXPECT_TRUE(synth.Validate(16).has_value());
  const ParamDecl& frequency = synth.Entry().params[3];
  EXPECT_EQ(FrequencyOf(ClampPresetValue(frequency, FrequencyBits(99999.f))), 48000.f);
  // Typed preset values: the stored bit pattern, or hertz.
  EXPECT_EQ(ParsePresetValue(frequency, "1000"), FrequencyBits(1000.f));
  EXPECT_EQ(ParsePresetValue(frequency, "440.5"), FrequencyBits(440.5f));
  EXPECT_EQ(ParsePresetValue(frequency, std::to_string(FrequencyBits(440.f))), FrequencyBits(440.f));
  EXPECT_EQ(ParsePresetValue(frequency, "0.01"), FrequencyBits(0.1f));
  EXPECT_EQ(ParsePresetValue(synth.Entry().params[0], "-20"), -9);  // a trackbar position
  EXPECT_EQ(ParsePresetValue(synth.Entry().params[2], "7"), 4);     // a waveform index
  EXPECT_FALSE(ParsePresetValue(synth.Entry().params[0], "1.5").has_value());
  EXPECT_FALSE(ParsePresetValue(synth.Entry().params[0], "").has_value());
}

}  // namespace
}  // namespace tarkel
