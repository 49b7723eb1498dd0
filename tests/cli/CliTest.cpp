// tarkel-cli end to end: the options, output lines and exit codes that scripts rely on.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/CliRunner.h"
#include "sound/DocWaveAudio.h"
#include "sound/WaveImage.h"
#include "fileformats/SoundFile.h"
#include "support/Signals.h"

namespace tarkel {
namespace {

using test::RunCli;

// A canonical wave file holding `data`.
std::vector<uint8_t> WaveFile(const WaveFormat& format, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> file(kCanonicalHeaderSize + data.size());
  WriteCanonicalHeader(file.data(), format, uint32_t(data.size()));
  std::copy(data.begin(), data.end(), file.begin() + kCanonicalHeaderSize);
  return file;
}

struct Loaded {
  bool ok = false;
  WaveFormat format;
  std::vector<uint8_t> data;
};

Loaded Load(const std::filesystem::path& path) {
  WaveAudio wave;
  Loaded l;
  l.ok = OpenSoundFile(wave, path.string(), 0, false);
  l.format = wave.Format();
  l.data = test::Bytes(wave);
  return l;
}

TEST(Cli, InfoOfANewSoundListsTheFormatAndLength) {
  const auto r = RunCli({"--new", "1,2,44100,16,1000", "--info"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "format-tag: 1\nchannels: 2\nrate: 44100\navg-bytes: 176400\nblock-align: 4\nbits: 16\n"
            "extra-size: 0\nframes: 1000\ndata-bytes: 4000\nlength: 1000 samples\n");
}

TEST(Cli, NewSoundDefaultsTo661500FramesOfSilence) {
  test::TempDir dir;
  const auto r = RunCli({"--new", "1,1,22050,8", "-o", (dir / "new.wav").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  const Loaded l = Load(dir / "new.wav");
  ASSERT_TRUE(l.ok);
  EXPECT_EQ(l.data, std::vector<uint8_t>(661500, 127));
}

TEST(Cli, SavingKeepsEverySampleByteForByte) {
  test::TempDir dir;
  const auto data = test::Staircase16(2 * 5001);
  test::WriteFileBytes(dir / "in.wav", WaveFile(WaveFormat::Pcm(2, 44100, 16), data));
  const auto r = RunCli({(dir / "in.wav").string(), "-o", (dir / "out.wav").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  const Loaded l = Load(dir / "out.wav");
  ASSERT_TRUE(l.ok);
  EXPECT_EQ(l.format.Channels(), 2);
  EXPECT_EQ(l.format.SamplesPerSec(), 44100u);
  EXPECT_EQ(l.data, data);
}

TEST(Cli, SaveSelectionWritesTheFramesAskedFor) {
  test::TempDir dir;
  const auto data = test::Staircase8(1000);
  test::WriteFileBytes(dir / "in.wav", WaveFile(WaveFormat::Pcm(1, 8000, 8), data));
  // 101 is rounded down to 100, as the view does.
  const auto r = RunCli({(dir / "in.wav").string(), "--select", "101:200", "--save-selection", (dir / "part.wav").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  const Loaded l = Load(dir / "part.wav");
  ASSERT_TRUE(l.ok);
  EXPECT_EQ(l.data, std::vector<uint8_t>(data.begin() + 100, data.begin() + 201));
}

TEST(Cli, CreativeVoiceOutputReadsBackTheSame) {
  test::TempDir dir;
  const auto data = test::Staircase8(3000);
  test::WriteFileBytes(dir / "in.wav", WaveFile(WaveFormat::Pcm(1, 22050, 8), data));
  ASSERT_EQ(RunCli({(dir / "in.wav").string(), "-o", (dir / "x.voc").string()}).status, 0);
  const auto r = RunCli({(dir / "x.voc").string(), "--info"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("rate: 22050\n"), std::string::npos) << r.out;
  const Loaded l = Load(dir / "x.voc");
  ASSERT_TRUE(l.ok);
  EXPECT_EQ(l.data, data);
}

TEST(Cli, FailedStepShowsItsMessageAndStopsTheRun) {
  test::TempDir dir;
  const auto r = RunCli({(dir / "missing.wav").string(), "-o", (dir / "out.wav").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "message 3018: Error opening the file !\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "out.wav"));

  // A 16-bit sound cannot be a voice file: the save fails and the next save does not run.
  const auto r2 = RunCli({"--new", "1,1,8000,16,10", "-o", (dir / "x.voc").string(), "-o", (dir / "y.wav").string()});
  EXPECT_EQ(r2.status, 1);
  EXPECT_NE(r2.err.find("message 3011: Unsupported VOC file-format !"), std::string::npos) << r2.err;
  EXPECT_FALSE(std::filesystem::exists(dir / "y.wav"));
}

TEST(Cli, UsageErrorsExitWithTwo) {
  EXPECT_EQ(RunCli({}).status, 2);
  EXPECT_EQ(RunCli({"--bogus"}).status, 2);
  EXPECT_EQ(RunCli({"--new", "1,2,44100"}).status, 2);
  EXPECT_EQ(RunCli({"--new", "1,1,8000,8", "--select", "5"}).status, 2);
  EXPECT_EQ(RunCli({"--new", "1,1,8000,8", "--channel", "middle"}).status, 2);
  EXPECT_EQ(RunCli({"a.wav", "b.wav"}).status, 2);
  EXPECT_EQ(RunCli({"--new", "1,1,8000,8", "-o"}).status, 2);
  const auto help = RunCli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: tarkel-cli"), std::string::npos);
}

TEST(Cli, UndoGivesBackTheSoundBeforeTheLastChange) {
  test::TempDir dir;
  const auto data = test::Staircase16(2 * 1000);
  test::WriteFileBytes(dir / "in.wav", WaveFile(WaveFormat::Pcm(2, 8000, 16), data));
  const auto undone = RunCli({(dir / "in.wav").string(), "--select", "100:199", "--edit", "delete", "--undo", "-o",
                              (dir / "out.wav").string()});
  ASSERT_EQ(undone.status, 0) << undone.err;
  EXPECT_EQ(Load(dir / "out.wav").data, data);

  // With undo switched off the change stays, and asking to undo it fails the run.
  const auto off = RunCli({(dir / "in.wav").string(), "--undo-off", "--select", "100:199", "--edit", "delete",
                           "--undo", "-o", (dir / "off.wav").string()});
  EXPECT_EQ(off.status, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "off.wav"));
  EXPECT_EQ(RunCli({"--new", "1,1,8000,8,100", "--undo"}).status, 1);
}

}  // namespace
}  // namespace tarkel
