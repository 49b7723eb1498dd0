// tarkel-cli keeps undo data only while a later --undo may use it: every --undo still finds the
// change before it.
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

std::vector<int16_t> ReadSamples(const std::filesystem::path& path) {
  WaveAudio wave;
  if (!OpenSoundFile(wave, path.string(), 0, false)) return {};
  return test::Samples16(wave);
}

class CliUndo : public ::testing::Test {
 protected:
  CliUndo() {
    std::vector<int16_t> samples(200);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = int16_t(100 * i);
    std::vector<uint8_t> file(kCanonicalHeaderSize + samples.size() * 2);
    WriteCanonicalHeader(file.data(), WaveFormat::Pcm(1, 8000, 16), uint32_t(samples.size() * 2));
    std::memcpy(file.data() + kCanonicalHeaderSize, samples.data(), samples.size() * 2);
    test::WriteFileBytes(dir / "in.wav", file);
    original = samples;
  }
  std::vector<int16_t> Run(std::vector<std::string> options) {
    options.insert(options.begin(), (dir / "in.wav").string());
    options.push_back("-o");
    options.push_back((dir / "out.wav").string());
    const auto r = RunCli(options);
    EXPECT_EQ(r.status, 0) << r.err;
    return ReadSamples(dir / "out.wav");
  }

  test::TempDir dir;
  std::vector<int16_t> original;
};

TEST_F(CliUndo, EachUndoReversesTheChangeJustBeforeIt) {
  EXPECT_EQ(Run({"--effect", "volume:50", "--undo"}), original);
  const std::vector<int16_t> halved = Run({"--effect", "volume:50"});
  ASSERT_NE(halved, original);
  EXPECT_EQ(Run({"--effect", "volume:50", "--effect", "reverse", "--undo"}), halved);
  // Changes after the last --undo keep no undo data and still apply.
  const std::vector<int16_t> reversed = Run({"--effect", "reverse"});
  EXPECT_EQ(Run({"--effect", "reverse", "--undo", "--effect", "reverse"}), reversed);
  EXPECT_EQ(Run({"--effect", "reverse", "--undo", "--effect", "volume:50"}), halved);
}

TEST_F(CliUndo, UndoOffStillRefusesALaterUndo) {
  const auto r = RunCli({(dir / "in.wav").string(), "--undo-off", "--effect", "volume:50", "--undo"});
  EXPECT_EQ(r.status, 1);
}

}  // namespace
}  // namespace tarkel
