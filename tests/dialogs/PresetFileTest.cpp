// Preset files and preset lists: the layout byte for byte, damaged files read up to the damage,
// writes that never leave a damaged file, and the combo box's apply, save and delete.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "cli/CliRunner.h"
#include "dialogs/CurvePresets.h"
#include "dialogs/PresetList.h"

namespace tarkel {
namespace {

using Bytes = std::vector<uint8_t>;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

const Bytes kEchoExample = {0x01, 0, 0, 0, 0x01, 0, 0, 0, 0x41, 0x02, 0, 0, 0, 0x03, 0, 0, 0, 0xF4, 0x01, 0, 0};

std::vector<std::string> Names(const std::vector<CEffectPreset>& presets) {
  std::vector<std::string> names;
  for (const auto& p : presets) names.push_back(p.name);
  return names;
}

TEST(PresetFile, TheEchoExampleReadsAndWritesAsTwentyOneBytes) {
  const PresetReadResult read = ParsePresets(kEchoExample, 2);
  ASSERT_FALSE(read.damaged);
  ASSERT_EQ(read.presets.size(), 1u);
  EXPECT_EQ(read.presets[0].name, "A");
  EXPECT_EQ(read.presets[0].values, (std::vector<int32_t>{3, 500}));
  EXPECT_EQ(SerializePresets({{"A", {3, 500}}}), kEchoExample);
}

TEST(PresetFile, NegativeValuesAndA199ByteNameComeBackWhole) {
  const std::string longest(kMaxPresetNameLength, 'n');
  const std::vector<CEffectPreset> presets = {{longest, {-3, INT32_MIN, INT32_MAX}}, {"", {0, 0, 0}}};
  const PresetReadResult read = ParsePresets(SerializePresets(presets), 3);
  ASSERT_FALSE(read.damaged);
  ASSERT_EQ(read.presets.size(), 2u);
  EXPECT_EQ(read.presets[0].name, longest);
  EXPECT_EQ(read.presets[0].values, presets[0].values);
  EXPECT_EQ(read.presets[1].name, "");
}

// Three presets of the echo dialog, and the byte offsets at which each record ends.
struct ThreePresets {
  Bytes bytes = SerializePresets({{"one", {1, 100}}, {"two", {2, 200}}, {"three", {3, 300}}});
  std::vector<size_t> ends = {4 + 19, 4 + 19 + 19, 4 + 19 + 19 + 21};
};

TEST(PresetFile, DamagedFilesAreReadUpToTheDamage) {
  const ThreePresets three;
  ASSERT_EQ(three.bytes.size(), three.ends.back());
  // Truncated at every length: the whole records before the cut survive.
  for (size_t cut = 0; cut < three.bytes.size(); ++cut) {
    const PresetReadResult read = ParsePresets(std::span(three.bytes).first(cut), 2);
    const size_t whole = size_t(std::count_if(three.ends.begin(), three.ends.end(), [&](size_t e) { return e <= cut; }));
    EXPECT_EQ(read.presets.size(), whole) << "cut at " << cut;
    EXPECT_EQ(read.damaged, cut != 0) << "cut at " << cut;
  }

  Bytes more = three.bytes;  // a count larger than the file holds
  more[0] = 0xFF;
  more[3] = 0xFF;
  EXPECT_EQ(Names(ParsePresets(more, 2).presets), (std::vector<std::string>{"one", "two", "three"}));

  Bytes huge = three.bytes;  // the second name claims 4 GB
  huge[4 + 19] = huge[4 + 19 + 1] = huge[4 + 19 + 2] = huge[4 + 19 + 3] = 0xFF;
  PresetReadResult read = ParsePresets(huge, 2);
  EXPECT_TRUE(read.damaged);
  EXPECT_EQ(Names(read.presets), std::vector<std::string>{"one"});

  Bytes longName = SerializePresets({{"ok", {1, 2}}, {std::string(200, 'x'), {1, 2}}});
  // The writer never writes more than 199 bytes of a name: patch the length and the bytes in.
  longName[4 + 14] = 200;
  longName.insert(longName.begin() + 4 + 14 + 4, 'x');
  EXPECT_EQ(Names(ParsePresets(longName, 2).presets), std::vector<std::string>{"ok"});

  // A value count other than the dialog's ends the reading; so does a count beyond the bytes.
  const Bytes three_values = SerializePresets({{"a", {1, 2}}, {"b", {1, 2, 3}}, {"c", {1, 2}}});
  read = ParsePresets(three_values, 2);
  EXPECT_TRUE(read.damaged);
  EXPECT_EQ(Names(read.presets), std::vector<std::string>{"a"});
  Bytes bigCount = SerializePresets({{"a", {1, 2}}});
  bigCount[4 + 4 + 1 + 3] = 0x40;  // V = 0x40000002
  EXPECT_TRUE(ParsePresets(bigCount, 0x40000002).presets.empty());
}

TEST(PresetList, TwoPresetsOfOneNameApplyTheLaterAndDeleteTheEarlier) {
  PresetList list(2);
  list.Save("x", {1, 100});
  list.Save("y", {5, 500});
  list.Save("x", {2, 200});
  std::vector<int32_t> values = {9, 900};
  EXPECT_TRUE(list.Apply("x", values));
  EXPECT_EQ(values, (std::vector<int32_t>{2, 200}));
  EXPECT_FALSE(list.Apply(kDefaultPresetEntry, values));  // "default" is not a preset
  EXPECT_EQ(values, (std::vector<int32_t>{2, 200}));
  EXPECT_TRUE(list.Delete("x"));
  ASSERT_EQ(list.Presets().size(), 2u);
  EXPECT_EQ(list.Presets()[0].name, "y");
  EXPECT_EQ(list.Presets()[1].values, (std::vector<int32_t>{2, 200}));
  EXPECT_FALSE(list.Delete("nothing"));
}

TEST(PresetList, AMissingFileGivesNoPresetsAndClosingWritesFourBytes) {
  TempDir dir;
  const std::string path = (dir / "not/yet/there/Echo.par").string();
  PresetList list(2);
  list.Load(path);
  EXPECT_TRUE(list.Presets().empty());
  ASSERT_TRUE(list.Store(path));  // the folder is created when first written
  EXPECT_EQ(ReadFileBytes(path), (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "not/yet/there"), {}), 1);
}

TEST(PresetList, AFullDiskLeavesTheOldFile) {
  TempDir dir;
  const std::string path = (dir / "Echo.par").string();
  WriteFileBytes(path, kEchoExample);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit limit = {1000, 1000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    PresetList list(2);
    list.Load(path);
    for (int i = 0; i < 100; ++i) list.Save("a preset with a long name " + std::to_string(i), {i, i});
    ::_exit(list.Store(path) ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the store did not report the full disk";
  EXPECT_EQ(ReadFileBytes(path), kEchoExample);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "a temporary file was left";
}

TEST(PresetFolder, FollowsXdgDataHomeElseHome) {
  const char* oldData = std::getenv("XDG_DATA_HOME");
  const std::string saved = oldData ? oldData : "";
  ::setenv("XDG_DATA_HOME", "/data/here", 1);
  EXPECT_EQ(DefaultPresetFolder(), "/data/here/Brannick/Tarkel");
  ::setenv("XDG_DATA_HOME", "relative", 1);  // not absolute: ignored
  ::setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(DefaultPresetFolder(), "/home/someone/.local/share/Brannick/Tarkel");
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(DefaultPresetFolder(), "/home/someone/.local/share/Brannick/Tarkel");
  if (oldData) ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
  EXPECT_EQ(PresetPath("/x/", "Echo.par"), "/x/Echo.par");
  EXPECT_EQ(PresetPath("/x", "Echo.par"), "/x/Echo.par");
}

TEST(CurvePresets, RoundTripAndDamage) {
  CurveModel curve(20);
  curve.Add(500, 80);
  const std::vector<CEffectPreset> presets = {{"dip", CurveValues(curve)}, {"flat", CurveValues(CurveModel(0))}};
  const Bytes bytes = SerializeCurvePresets(presets);
  ASSERT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "TKCV");
  PresetReadResult read = ParseCurvePresets(bytes);
  ASSERT_FALSE(read.damaged);
  ASSERT_EQ(read.presets.size(), 2u);
  CurveModel back;
  ASSERT_TRUE(CurveFromValues(read.presets[0].values, back));
  EXPECT_EQ(back.Points(), curve.Points());

  for (size_t cut = 0; cut < bytes.size(); ++cut) EXPECT_LE(ParseCurvePresets(std::span(bytes).first(cut)).presets.size(), 1u);
  Bytes otherVersion = bytes;
  otherVersion[4] = 2;
  EXPECT_TRUE(ParseCurvePresets(otherVersion).presets.empty());
  // A point outside the editor ends the reading.
  std::vector<CEffectPreset> bad = presets;
  bad[1].values[2] = 101;
  read = ParseCurvePresets(SerializeCurvePresets(bad));
  EXPECT_TRUE(read.damaged);
  EXPECT_EQ(read.presets.size(), 1u);
}

}  // namespace
}  // namespace tarkel
