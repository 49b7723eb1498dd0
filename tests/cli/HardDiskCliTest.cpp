// tarkel-cli --hard-disk: the same steps done in place and in memory (then saved with -o) leave
// files with the same format, samples and chunks, as libsndfile and sox read them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "HardDiskFiles.h"
#include "SndfileReading.h"
#include "cli/CliRunner.h"

namespace tarkel::test {
namespace {

namespace fs = std::filesystem;

struct Steps {
  std::string name;
  std::vector<std::string> args;
};

std::vector<Steps> EveryEditAndEffect() {
  std::vector<Steps> all = {
      {"cut", {"--select", "1000:5999", "--edit", "cut"}},
      {"paste at the start", {"--select", "1000:5999", "--edit", "copy", "--select", "0:0", "--edit", "paste"}},
      {"paste at the end", {"--select", "10:2009", "--edit", "copy", "--select", "39998:39998", "--edit", "paste"}},
      {"paste-over", {"--select", "0:999", "--edit", "copy", "--select", "5000:5000", "--edit", "paste-over"}},
      {"paste-over-exactly", {"--select", "0:999", "--edit", "copy", "--select", "5000:5499", "--edit", "paste-over-exactly"}},
      {"mix", {"--select", "0:999", "--edit", "copy", "--select", "7000:7000", "--edit", "mix"}},
      {"mix-exactly", {"--select", "0:999", "--edit", "copy", "--select", "7000:7099", "--edit", "mix-exactly"}},
      {"crossfade", {"--select", "0:999", "--edit", "copy", "--select", "100:1100", "--edit", "crossfade:50,50,0"}},
      {"trim", {"--select", "2000:2999", "--edit", "trim"}},
      {"delete left", {"--channel", "left", "--select", "100:199", "--edit", "delete"}},
      {"delete", {"--select", "100:30000", "--edit", "delete"}},
      {"erase", {"--channel", "right", "--select", "100:3999", "--edit", "erase"}},
      {"insert-silence", {"--select", "10:10", "--edit", "insert-silence:12345"}},
      {"longer", {"--edit", "length:50001"}},
      {"shorter", {"--edit", "length:777"}},
      {"speed", {"--edit", "speed:22050"}},
      {"move", {"--select", "100:2099", "--edit", "move:9000"}},
      {"copy-to", {"--select", "100:2099", "--edit", "copy-to:9000"}},
      {"convert", {"--yes", "--edit", "convert:1,1,22050,8"}},
      {"reformat", {"--edit", "reformat:1,1,44100,16"}},
      {"undo of a cut", {"--select", "100:3000", "--edit", "cut", "--undo"}},
      {"undo of a paste", {"--select", "0:99", "--edit", "copy", "--select", "50:50", "--edit", "paste", "--undo"}},
      {"undo of an effect", {"--select", "100:3000", "--effect", "echo", "--undo"}},
      {"amiga", {"--yes", "--edit", "convert:1,2,22050,8", "--effect", "amiga"}},
      {"hall", {"--effect", "hall"}},
  };
  for (const std::string effect :
       {"echo", "robotize", "highpass", "lowpass", "bandpass", "noisegate", "boostlong", "boostshort", "chcross",
        "fade", "synth", "vibrato", "reverse", "normalize", "volume", "vibverb", "digidelay", "metal", "tube",
        "dtmf:50,123", "fusion", "offset", "filter:100,2000,100,0,512,0", "equalizer:1,2,3,4,5", "invert", "swap",
        "match", "envelope:100,0,0,50,100,100,0"})
    all.push_back({effect, {"--select", "1000:20000", "--effect", effect}});
  return all;
}

std::vector<std::string> With(std::vector<std::string> front, const std::vector<std::string>& back) {
  front.insert(front.end(), back.begin(), back.end());
  return front;
}

// sox's reading of a file as raw 16-bit samples, or empty when sox cannot read it.
std::vector<uint8_t> SoxSamples(const TempDir& dir, const fs::path& file) {
  const fs::path raw = dir / "sox.raw";
  if (!RunQuietly("sox '" + file.string() + "' -t raw -e signed -b 16 '" + raw.string() + "'")) return {};
  return ReadFileBytes(raw);
}

TEST(HardDiskCliTest, EveryEditAndEffectInPlaceEqualsTheSameStepsSaved) {
  TempDir dir;
  const fs::path original = dir / "original.wav";
  WriteTestWave(original, 40000);
  const bool haveSox = HasTool("sox");
  for (const Steps& steps : EveryEditAndEffect()) {
    SCOPED_TRACE(steps.name);
    const fs::path inPlace = dir / "in-place.wav", inMemory = dir / "in-memory.wav", saved = dir / "saved.wav";
    fs::copy_file(original, inPlace, fs::copy_options::overwrite_existing);
    fs::copy_file(original, inMemory, fs::copy_options::overwrite_existing);
    fs::remove(saved);
    const CliResult hd = RunCli(With({"--hard-disk", inPlace.string(), "--clipboard", (dir / "clip1").string()}, steps.args));
    const CliResult mem = RunCli(With({inMemory.string(), "--clipboard", (dir / "clip2").string()}, With(steps.args, {"-o", saved.string()})));
    ASSERT_EQ(hd.status, mem.status) << hd.err << mem.err;
    EXPECT_EQ(hd.err, mem.err);
    EXPECT_FALSE(fs::exists(dir / ".in-place.wav.tarkel-journal"));
    if (mem.status != 0) continue;
    const WaveParts a = SplitWave(ReadFileBytes(inPlace)), b = SplitWave(ReadFileBytes(saved));
    ASSERT_TRUE(a.valid);
    ASSERT_TRUE(b.valid);
    EXPECT_EQ(a.format, b.format);
    EXPECT_EQ(a.data, b.data);
    EXPECT_EQ(a.others, b.others);  // LIST before the data, "cue " (moved with the frames) after it
    const SndfileSound x = ReadWithSndfile(inPlace.string()), y = ReadWithSndfile(saved.string());
    ASSERT_TRUE(x.ok);
    EXPECT_EQ(x.channels, y.channels);
    EXPECT_EQ(x.rate, y.rate);
    EXPECT_EQ(x.frames, y.frames);
    EXPECT_EQ(x.shorts, y.shorts);
    if (haveSox) EXPECT_EQ(SoxSamples(dir, inPlace), SoxSamples(dir, saved));
  }
}

// Cue points in a chunk before the data move with a cut in place, as they do in a saved file;
// a chunk that changed its size leaves "JUNK" in its old place and is written after the data.
TEST(HardDiskCliTest, ChunksBeforeTheDataFollowTheEditsInPlace) {
  TempDir dir;
  const auto other = [](const WaveParts& w, const std::string& id) {
    for (const auto& [name, bytes] : w.others)
      if (name == id) return bytes;
    return std::vector<uint8_t>{};
  };
  for (const std::string range : {"100:199", "400:599"}) {  // moves the cue point, then drops it
    SCOPED_TRACE(range);
    WriteTestWave(dir / "a.wav", 2000, true);
    WriteTestWave(dir / "b.wav", 2000, true);
    ASSERT_EQ(RunCli({"--hard-disk", (dir / "a.wav").string(), "--select", range, "--edit", "delete"}).status, 0);
    ASSERT_EQ(RunCli({(dir / "b.wav").string(), "--select", range, "--edit", "delete", "-o", (dir / "c.wav").string()}).status, 0);
    const WaveParts a = SplitWave(ReadFileBytes(dir / "a.wav")), c = SplitWave(ReadFileBytes(dir / "c.wav"));
    ASSERT_TRUE(a.valid);
    EXPECT_EQ(a.data, c.data);
    EXPECT_EQ(other(a, "cue "), other(c, "cue "));
    EXPECT_EQ(other(a, "LIST"), other(c, "LIST"));
    EXPECT_TRUE(ReadWithSndfile((dir / "a.wav").string()).ok);
  }
}

TEST(HardDiskCliTest, SavingTheWholeSoundIsAUsageErrorInPlace) {
  TempDir dir;
  WriteTestWave(dir / "a.wav", 100);
  const std::vector<uint8_t> before = ReadFileBytes(dir / "a.wav");
  for (const std::string& save : {"-o", "--output"}) {
    const CliResult r = RunCli({"--hard-disk", (dir / "a.wav").string(), "--effect", "invert", save, (dir / "b.wav").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_FALSE(fs::exists(dir / "b.wav"));
  }
  EXPECT_EQ(RunCli({"--hard-disk", "--new", "1,1,22050,8"}).status, 2);
  EXPECT_EQ(ReadFileBytes(dir / "a.wav"), before);
  // The selection is still written as an ordinary file of its own.
  EXPECT_EQ(RunCli({(dir / "a.wav").string(), "--hard-disk", "--select", "0:10", "--save-selection", (dir / "c.wav").string()}).status, 0);
  EXPECT_EQ(SplitWave(ReadFileBytes(dir / "c.wav")).data.size(), 44u);
  EXPECT_EQ(ReadFileBytes(dir / "a.wav"), before);
}

TEST(HardDiskCliTest, FileWithoutWaveNameOrContentIsEditedInMemory) {
  TempDir dir;
  WriteTestWave(dir / "a.voc.riff", 100);  // a RIFF file whose name has no ".WAV"
  const std::vector<uint8_t> before = ReadFileBytes(dir / "a.voc.riff");
  const CliResult r = RunCli({"--hard-disk", (dir / "a.voc.riff").string(), "--effect", "invert"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFileBytes(dir / "a.voc.riff"), before);
}

}  // namespace
}  // namespace tarkel::test
