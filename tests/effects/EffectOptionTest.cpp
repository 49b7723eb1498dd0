// --effect and --preview end to end through tarkel-cli.
#include <gtest/gtest.h>

#include <cstring>

#include "cli/CliRunner.h"
#include "sound/WaveAudio.h"
#include "sound/WaveImage.h"
#include "fileformats/SoundFile.h"
#include "support/Signals.h"

namespace tarkel {
namespace {

using test::RunCli;

// A 16-bit mono file at 8,000 Hz holding `samples`.
void WriteSound(const std::filesystem::path& path, const std::vector<int16_t>& samples) {
  std::vector<uint8_t> file(kCanonicalHeaderSize + samples.size() * 2);
  WriteCanonicalHeader(file.data(), WaveFormat::Pcm(1, 8000, 16), uint32_t(samples.size() * 2));
  std::memcpy(file.data() + kCanonicalHeaderSize, samples.data(), samples.size() * 2);
  test::WriteFileBytes(path, file);
}

std::vector<int16_t> ReadSamples(const std::filesystem::path& path) {
  WaveAudio wave;
  if (!OpenSoundFile(wave, path.string(), 0, false)) return {};
  return test::Samples16(wave);
}

TEST(EffectOption, AppliesTheEffectToTheSelection) {
  test::TempDir dir;
  WriteSound(dir / "in.wav", std::vector<int16_t>(10, 1000));
  // The selection's ends are made even: frames 2 to 4.
  const auto r = RunCli({(dir / "in.wav").string(), "--select", "2:5", "--effect", "amplitude:200", "-o",
                         (dir / "out.wav").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadSamples(dir / "out.wav"),
            (std::vector<int16_t>{1000, 1000, 2000, 2000, 2000, 1000, 1000, 1000, 1000, 1000}));
  // The number of an effect in place of its name.
  const auto byNumber = RunCli({(dir / "in.wav").string(), "--effect", "20:200", "-o", (dir / "out.wav").string()});
  ASSERT_EQ(byNumber.status, 0) << byNumber.err;
  EXPECT_EQ(ReadSamples(dir / "out.wav"), std::vector<int16_t>(10, 2000));
}

TEST(EffectOption, UsageErrorsAndFailures) {
  test::TempDir dir;
  WriteSound(dir / "in.wav", std::vector<int16_t>(10, 1000));
  EXPECT_EQ(RunCli({(dir / "in.wav").string(), "--effect", "nonsense"}).status, 2);
  EXPECT_EQ(RunCli({(dir / "in.wav").string(), "--effect", "echo:a"}).status, 2);
  const auto tooSmall = RunCli({(dir / "in.wav").string(), "--effect", "echo:1,1000"});
  EXPECT_EQ(tooSmall.status, 1);
  EXPECT_NE(tooSmall.err.find("message 1024"), std::string::npos) << tooSmall.err;
}

// Values no dialog gives are a usage error that names the range; nothing runs and nothing is
// written (values that once overflowed or ran for hours among them).
TEST(EffectOption, ValuesOutsideTheirRangeAreUsageErrorsNamingTheRange) {
  test::TempDir dir;
  WriteSound(dir / "in.wav", std::vector<int16_t>(100, 1000));
  const struct {
    const char* effect;
    const char* text;
  } cases[] = {
      {"echo:19,100", "tarkel-cli: echo: value 1 (passes) must be between 1 and 18\n"},
      {"echo:2147483647", "tarkel-cli: echo: value 1 (passes) must be between 1 and 18\n"},
      {"echo:2,99", "tarkel-cli: echo: value 2 (delay in milliseconds) must be between 100 and 1000\n"},
      {"metal:2147483647", "tarkel-cli: metal: value 1 (passes) must be between 20 and 70\n"},
      {"robotize:2147483647", "tarkel-cli: robotize: value 1 (passes) must be between 1 and 20\n"},
      {"tube:2,99,200", "tarkel-cli: tube: value 2 (delay numerator) must be between 100 and 1000\n"},
      {"vibverb:20,111", "tarkel-cli: vibverb: value 2 (delay in milliseconds) must be between 60 and 110\n"},
      {"envelope:100,0,0,100,-2147483648",
       "tarkel-cli: envelope: value 5 (y in percent from the top) must be between 0 and 100\n"},
      {"synth:100,0,0,44000", "tarkel-cli: synth: value 1 (level tens in percent) must be between 0 and 90\n"},
      {"filter:100,2000,50,10,1000,1",
       "tarkel-cli: filter: value 5 (block length) must be a power of two between 512 and 16384\n"},
      {"equalizer:100,100,201,100,100",
       "tarkel-cli: equalizer: value 3 (band 3 gain in percent) must be between 0 and 200\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.effect);
    const auto r = RunCli({(dir / "in.wav").string(), "--effect", c.effect, "-o", (dir / "out.wav").string()});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, c.text);
    EXPECT_FALSE(std::filesystem::exists(dir / "out.wav"));
    EXPECT_EQ(RunCli({(dir / "in.wav").string(), "--preview", c.effect, (dir / "p.wav").string()}).status, 2);
  }
  // Both ends of a range are taken.
  EXPECT_EQ(RunCli({(dir / "in.wav").string(), "--effect", "volume:0", "--effect", "volume:200"}).status, 0);
}

// An effect that the layout does not implement shows its text and fails the step.
TEST(EffectOption, NotImplementedForTheLayoutFailsTheStep) {
  test::TempDir dir;
  WriteSound(dir / "in.wav", std::vector<int16_t>(100, 1000));
  const auto r = RunCli({(dir / "in.wav").string(), "--effect", "digidelay:1", "-o", (dir / "out.wav").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "message: Not implemented yet (3a)\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "out.wav"));
}

TEST(EffectOption, PreviewWritesTheProcessedBlockAndLeavesTheSound) {
  test::TempDir dir;
  WriteSound(dir / "in.wav", std::vector<int16_t>(10, 1000));
  const auto r = RunCli({(dir / "in.wav").string(), "--select", "2:5", "--preview", "volume:200",
                         (dir / "preview.wav").string(), "-o", (dir / "out.wav").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadSamples(dir / "preview.wav"), std::vector<int16_t>(3, 2000));
  EXPECT_EQ(test::ReadFileBytes(dir / "preview.wav").size(), kCanonicalHeaderSize + 6);
  EXPECT_EQ(ReadSamples(dir / "out.wav"), std::vector<int16_t>(10, 1000));
}

}  // namespace
}  // namespace tarkel
