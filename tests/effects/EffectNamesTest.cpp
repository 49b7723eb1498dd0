// The effect names of tarkel-cli's contract, and the later spellings kept beside them.
#include <gtest/gtest.h>

#include <cstring>

#include "cli/CliRunner.h"
#include "sound/WaveAudio.h"
#include "sound/WaveImage.h"
#include "support/Signals.h"

namespace tarkel {
namespace {

using test::RunCli;

// A 16-bit stereo file at 8,000 Hz: a sine on the left, a quieter one on the right.
void WriteStereoSound(const std::filesystem::path& path) {
  const std::vector<int16_t> left = test::Sine16(440, 8000, 2000, 8000), right = test::Sine16(900, 8000, 2000, 3000);
  std::vector<int16_t> samples(4000);
  for (size_t i = 0; i < 2000; ++i) {
    samples[2 * i] = left[i];
    samples[2 * i + 1] = right[i];
  }
  std::vector<uint8_t> file(kCanonicalHeaderSize + samples.size() * 2);
  WriteCanonicalHeader(file.data(), WaveFormat::Pcm(2, 8000, 16), uint32_t(samples.size() * 2));
  std::memcpy(file.data() + kCanonicalHeaderSize, samples.data(), samples.size() * 2);
  test::WriteFileBytes(path, file);
}

struct NamePair {
  const char* contracted;
  const char* alias;
  const char* values;
};

const NamePair kNames[] = {
    {"volume", "amplitude", ":50"},      {"digidelay", "delay", ":10"},   {"boostlong", "boost-long", ":10"},
    {"boostshort", "boost-short", ":10"}, {"chcross", "crossover", ":100,0,2,1"},
};

TEST(EffectNames, ContractedNamesWorkAndTheLaterSpellingsStayAliases) {
  test::TempDir dir;
  WriteStereoSound(dir / "in.wav");
  const std::vector<uint8_t> original = test::ReadFileBytes(dir / "in.wav");
  for (const NamePair& n : kNames) {
    SCOPED_TRACE(n.contracted);
    const auto byName = RunCli({(dir / "in.wav").string(), "--effect", std::string(n.contracted) + n.values, "-o",
                                (dir / "name.wav").string()});
    ASSERT_EQ(byName.status, 0) << byName.err;
    const auto byAlias = RunCli({(dir / "in.wav").string(), "--effect", std::string(n.alias) + n.values, "-o",
                                 (dir / "alias.wav").string()});
    ASSERT_EQ(byAlias.status, 0) << byAlias.err;
    const std::vector<uint8_t> result = test::ReadFileBytes(dir / "name.wav");
    EXPECT_EQ(result, test::ReadFileBytes(dir / "alias.wav"));
    EXPECT_NE(result, original);
  }
}

TEST(EffectNames, HelpListsTheContractedNames) {
  const auto help = RunCli({"--help"});
  ASSERT_EQ(help.status, 0);
  for (const char* name : {"volume", "digidelay", "boostlong", "boostshort", "chcross"})
    EXPECT_NE(help.out.find(std::string(" ") + name + " "), std::string::npos) << name;
}

}  // namespace
}  // namespace tarkel
