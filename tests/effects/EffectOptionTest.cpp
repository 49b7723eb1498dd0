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

TEST(EffectOption, PreviewWritesTheProcessedBlockAndLeavesTheSound) {
  test::TempDir dir;
  WriteSound(dir / "in.wav", std::vector<int16_t>(10, 1000));
  const auto r = RunCli({(dir / "in.wav").string(), "--select", "2:5", "--preview", "fade:200,200",
                         (dir / "preview.wav").string(), "-o", (dir / "out.wav").string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadSamples(dir / "preview.wav"), std::vector<int16_t>(3, 2000));
  EXPECT_EQ(test::ReadFileBytes(dir / "preview.wav").size(), kCanonicalHeaderSize + 6);
  EXPECT_EQ(ReadSamples(dir / "out.wav"), std::vector<int16_t>(10, 1000));
}

}  // namespace
}  // namespace tarkel
