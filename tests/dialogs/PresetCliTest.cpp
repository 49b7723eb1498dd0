// tarkel-cli's preset options end to end: presets saved, listed and applied, and an effect run
// from a preset giving the same bytes as the same record given as values.
#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "sound/WaveImage.h"
#include "support/Signals.h"

namespace tarkel {
namespace {

using test::RunCli;

class PresetCli : public ::testing::Test {
 protected:
  void SetUp() override {
    // One second of a 440 Hz sine, 16-bit stereo.
    const std::vector<int16_t> sine = test::Sine16(440, 22050, 22050, 12000);
    std::vector<uint8_t> data;
    for (int16_t s : sine)
      for (int channel = 0; channel < 2; ++channel) {
        data.push_back(uint8_t(s));
        data.push_back(uint8_t(uint16_t(s) >> 8));
      }
    std::vector<uint8_t> file(kCanonicalHeaderSize + data.size());
    WriteCanonicalHeader(file.data(), WaveFormat::Pcm(2, 22050, 16), uint32_t(data.size()));
    std::copy(data.begin(), data.end(), file.begin() + kCanonicalHeaderSize);
    test::WriteFileBytes(In(), file);
  }
  std::string In() const { return (dir_ / "in.wav").string(); }
  std::string Dir() const { return dir_.Path().string(); }
  std::string Out(const std::string& name) const { return (dir_ / name).string(); }

  // The output of one effect run: `effect` given to --effect, optionally with --edit instead.
  std::vector<uint8_t> Run(const std::string& option, const std::string& value, std::vector<std::string> more = {}) {
    std::vector<std::string> args = {In(), "--preset-dir", Dir()};
    args.insert(args.end(), more.begin(), more.end());
    const std::string out = Out("out.wav");
    args.insert(args.end(), {option, value, "-o", out});
    const test::CliResult r = RunCli(args);
    EXPECT_EQ(r.status, 0) << value << ": " << r.err;
    return test::ReadFileBytes(out);
  }
  test::CliResult Cli(std::vector<std::string> args) {
    args.insert(args.begin(), {"--preset-dir", Dir()});
    return RunCli(args);
  }

  test::TempDir dir_;
};

TEST_F(PresetCli, SavedPresetsAreListedClampedAndTheLastOfANameWins) {
  EXPECT_EQ(Cli({"--list-presets", "echo"}).out, "");  // no file: nothing, exit 0
  EXPECT_EQ(Cli({"--list-presets", "echo"}).status, 0);
  EXPECT_EQ(Cli({"--save-preset", "echo@A:3,500"}).status, 0);
  EXPECT_EQ(test::ReadFileBytes(Out("Echo.par")),
            (std::vector<uint8_t>{1, 0, 0, 0, 1, 0, 0, 0, 'A', 2, 0, 0, 0, 3, 0, 0, 0, 0xF4, 1, 0, 0}));
  EXPECT_EQ(Cli({"--save-preset", "echo@far away:0,5000"}).status, 0);
  EXPECT_EQ(Cli({"--save-preset", "echo@A:4,600"}).status, 0);
  const test::CliResult listed = Cli({"--list-presets", "echo"});
  EXPECT_EQ(listed.status, 0);
  EXPECT_EQ(listed.out, "A\t3,500\nfar away\t1,1000\nA\t4,600\n");
  EXPECT_EQ(Run("--effect", "echo@A"), Run("--effect", "echo:4,600"));

  EXPECT_EQ(Cli({"--save-preset", "echo@B:1"}).status, 2);  // wrong count
  EXPECT_EQ(Cli({"--save-preset", "nosuch@B:1"}).status, 2);
  EXPECT_EQ(Cli({"--list-presets", "nosuch"}).status, 2);
}

TEST_F(PresetCli, AnUnknownPresetIsAUsageErrorNamingTheFile) {
  const test::CliResult r = RunCli({In(), "--preset-dir", Dir(), "--effect", "echo@none", "-o", Out("x.wav")});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(Out("Echo.par")), std::string::npos) << r.err;
}

TEST_F(PresetCli, PresetsGiveTheRecordsOfTheDialogs) {
  struct Case {
    std::string name, preset, explicitEffect;
  };
  const std::vector<Case> cases = {
      {"hall", "3,100", "hall:3,15"},
      {"vibverb", "40,100", "vibverb:40,110"},
      {"robotize", "4,26,40", "robotize:4,3,-10"},
      {"metal", "40,40,4", "metal:40,80,4"},
      {"tube", "2,50,800", "tube:2,550,800"},
      {"vibrato", "4,1000,10,100", "vibrato:4,1000,10,100"},
      {"fade", "10,90", "fade:10,90"},
      {"chcross", "30,70,-3", "crossover:30,70,3,0"},
      {"filter", "1500,3000,0,100,4096,2", "filter:1500,3000,0,100,4096,1"},
      {"equalizer", "100,50,200,0,100", "equalizer:100,50,200,0,100"},
      {"volume", "150", "amplitude:150"},
      {"offset", "-100", "offset:-100"},
      {"digidelay", "100", "delay:100"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Cli({"--save-preset", c.name + "@p:" + c.preset}).status, 0) << c.name;
    EXPECT_EQ(Run("--effect", c.name + "@p"), Run("--effect", c.explicitEffect)) << c.name;
  }
}

TEST_F(PresetCli, SynthesisDtmfAndTheClipboardCrossfade) {
  const int32_t hz440 = 0x43DC0000;  // 440.0f
  ASSERT_EQ(Cli({"--save-preset", "synth@tone:-3,-5,1," + std::to_string(hz440)}).status, 0);
  EXPECT_EQ(Run("--effect", "synth@tone"), Run("--effect", "synth:30,5,1,44000"));
  ASSERT_EQ(Cli({"--save-preset", "dtmf@quiet:-4"}).status, 0);
  EXPECT_EQ(Run("--effect", "dtmf@quiet:0815#"), Run("--effect", "dtmf:4,0815#"));
  EXPECT_EQ(Cli({"--effect", "dtmf@quiet"}).status, 2);

  ASSERT_EQ(Cli({"--save-preset", "crossfade@half:50,20"}).status, 0);
  EXPECT_EQ(Cli({"--list-presets", "crossfade"}).out, "half\t50,20\n");
  const std::string clip = Out("clip.wav");
  const std::vector<std::string> withClipboard = {"--clipboard", clip, "--select", "0:9999", "--edit", "copy",
                                                  "--select", "4000:13999"};
  EXPECT_EQ(Run("--edit", "crossfade@half", withClipboard), Run("--edit", "crossfade:50,20,0", withClipboard));
}

TEST_F(PresetCli, PreviewTakesPresetsAndTheOffsetIsCheckedAgainstTheSampleWidth) {
  ASSERT_EQ(Cli({"--save-preset", "echo@p:3,200"}).status, 0);
  const std::string a = Out("a.wav"), b = Out("b.wav");
  ASSERT_EQ(Cli({In(), "--preview", "echo@p", a}).status, 0);
  ASSERT_EQ(Cli({In(), "--preview", "echo:3,200", b}).status, 0);
  EXPECT_EQ(test::ReadFileBytes(a), test::ReadFileBytes(b));

  ASSERT_EQ(Cli({"--save-preset", "offset@high:300"}).status, 0);
  const test::CliResult eight = Cli({"--new", "1,1,8000,8,100", "--effect", "offset@high", "-o", a});
  EXPECT_EQ(eight.status, 2);
  EXPECT_NE(eight.err.find("between 0 and 255"), std::string::npos) << eight.err;
  EXPECT_EQ(Cli({"--new", "1,1,8000,16,100", "--effect", "offset@high", "-o", a}).status, 0);
}

TEST_F(PresetCli, TheDefaultFolderIsUnderXdgDataHome) {
  const std::string data = Out("data");
  ::setenv("XDG_DATA_HOME", data.c_str(), 1);
  EXPECT_EQ(RunCli({"--save-preset", "volume@loud:180"}).status, 0);
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(test::ReadFileBytes(data + "/Brannick/Tarkel/VolumeSet.par").size(), 4u + 4 + 4 + 4 + 4);
}

}  // namespace
}  // namespace tarkel
