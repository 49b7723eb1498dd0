// tarkel-cli's play list options end to end, on sound files the tests write.
#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "fileformats/SoundFile.h"
#include "sound/WaveAudio.h"
#include "sound/WaveImage.h"
#include "support/Signals.h"

namespace tarkel::test {
namespace {

class RegionCli : public ::testing::Test {
 protected:
  RegionCli() {
    // 1000 frames of 8-bit mono; frame i holds i & 0xFF.
    std::vector<uint8_t> file(kCanonicalHeaderSize + 1000);
    WriteCanonicalHeader(file.data(), WaveFormat::Pcm(1, 8000, 8), 1000);
    for (uint32_t i = 0; i < 1000; ++i) file[kCanonicalHeaderSize + i] = uint8_t(i);
    WriteFileBytes(dir / "s.wav", file);
  }
  std::string P(const std::string& name) const { return (dir / name).string(); }
  std::vector<uint8_t> Samples(const std::string& name) const {
    WaveAudio wave;
    EXPECT_TRUE(OpenSoundFile(wave, P(name), 0, false));
    return Bytes(wave);
  }
  TempDir dir;
};

TEST_F(RegionCli, RegionsAreListedOnePerLineWithTabs) {
  const auto r = RunCli({P("s.wav"), "--region", "Vers, eins,11,101,LR,2", "--region", "B,200,300,M,1", "--list-regions"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1\tVers, eins\t10\t100\tLR\t2\t" + P("s.wav") + "\n2\tB\t200\t300\tM\t1\t" + P("s.wav") + "\n");
  EXPECT_EQ(r.err, "");
}

TEST_F(RegionCli, WrongRegionArgumentsAreUsageErrors) {
  for (const char* bad : {"A,1,2,X,1", "A,300,200,L,1", "A,1,2,L", "A,x,2,L,1", "A,1,2,L,-1"}) {
    const auto r = RunCli({P("s.wav"), "--region", bad});
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_NE(r.err.find("--region"), std::string::npos) << bad;
  }
  const auto beyond = RunCli({P("s.wav"), "--region", "A,0,1000,L,1"});
  EXPECT_EQ(beyond.status, 1);
  EXPECT_EQ(RunCli({"--region", "A,0,10,L,1"}).status, 2);
}

TEST_F(RegionCli, ACueFileSavedAndLoadedTwiceHoldsEveryRegionTwice) {
  auto saved = RunCli({P("s.wav"), "--region", "A,0,9,LR,3", "--region", "Refrain,20,29,L,1", "--save-cue", P("x.cue")});
  ASSERT_EQ(saved.status, 0) << saved.err;
  const std::vector<uint8_t> cue = ReadFileBytes(dir / "x.cue");
  const std::vector<uint8_t> head = {0x02, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x0E, 0x00, 'C', 'W', 'a', 'v', 'e',
                                     'S', 'e', 'l', 'e', 'c', 't', 'i', 'o', 'n', 0x01, 'A'};
  ASSERT_GT(cue.size(), head.size());
  EXPECT_TRUE(std::equal(head.begin(), head.end(), cue.begin()));

  const auto loaded = RunCli({"--load-cue", P("x.cue"), "--load-cue", P("x.cue"), "--list-regions"});
  ASSERT_EQ(loaded.status, 0) << loaded.err;
  const std::string s = P("s.wav");
  EXPECT_EQ(loaded.out, "3\tA\t0\t8\tLR\t3\t" + s + "\n4\tRefrain\t20\t28\tL\t1\t" + s + "\n5\tA\t0\t8\tLR\t3\t" + s +
                            "\n6\tRefrain\t20\t28\tL\t1\t" + s + "\n");
}

TEST_F(RegionCli, RegionsOfASoundThatCannotBeOpenedAreDroppedSilently) {
  ASSERT_EQ(RunCli({P("s.wav"), "--region", "A,0,9,LR,1", "--save-cue", P("x.cue")}).status, 0);
  std::filesystem::rename(dir / "s.wav", dir / "moved.wav");
  const auto r = RunCli({"--load-cue", P("x.cue"), "--list-regions"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
}

TEST_F(RegionCli, ADamagedCueFileIsReportedAfterKeepingWhatCameBefore) {
  ASSERT_EQ(RunCli({P("s.wav"), "--region", "A,0,9,LR,1", "--region", "B,10,19,LR,1", "--save-cue", P("x.cue")}).status, 0);
  std::vector<uint8_t> cue = ReadFileBytes(dir / "x.cue");
  cue.resize(cue.size() - 1);
  WriteFileBytes(dir / "x.cue", cue);
  const auto r = RunCli({"--load-cue", P("x.cue"), "--list-regions"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("message 2000: "), std::string::npos) << r.err;
}

TEST_F(RegionCli, ThePlayListIsWrittenAsExactlyTheConcatenatedFrames) {
  const auto r = RunCli({P("s.wav"), "--region", "a,100,104,M,2", "--region", "b,10,12,M,1", "--region",
                         "c,990,998,M,1", "--export-play-list", P("list.wav")});
  ASSERT_EQ(r.status, 0) << r.err;
  std::vector<uint8_t> expected;
  for (int rep = 0; rep < 2; ++rep)
    for (int i = 100; i <= 104; ++i) expected.push_back(uint8_t(i));
  for (int i = 10; i <= 12; ++i) expected.push_back(uint8_t(i));
  for (int i = 990; i <= 998; ++i) expected.push_back(uint8_t(i));
  EXPECT_EQ(Samples("list.wav"), expected);
}

TEST_F(RegionCli, RegionsFollowTheEditsOfTheRun) {
  // Both ranges rounded down to even: the region 500..598 loses the 99 frames 100..198 before it.
  const auto r = RunCli({P("s.wav"), "--region", "late,500,599,M,1", "--select", "100:199", "--edit", "cut",
                         "--list-regions"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1\tlate\t401\t499\tM\t1\t" + P("s.wav") + "\n");
}

TEST_F(RegionCli, ACueFileNamingTheOpenSoundUsesItsDocument) {
  ASSERT_EQ(RunCli({P("s.wav"), "--region", "A,100,199,M,1", "--save-cue", P("x.cue")}).status, 0);
  // Were the cue's sound opened a second time, the cut would not move its region.
  const auto r = RunCli({P("s.wav"), "--load-cue", P("x.cue"), "--select", "0:9", "--edit", "cut", "--list-regions"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1\tA\t91\t189\tM\t1\t" + P("s.wav") + "\n");
}

TEST_F(RegionCli, ARegionOfANewSoundHasNoFileUntilTheSoundIsSaved) {
  const auto r = RunCli({"--new", "1,1,8000,8,100", "--region", "a,0,9,M,1", "--list-regions", "-o", P("n.wav"),
                         "--list-regions"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "1\ta\t0\t8\tM\t1\t\n1\ta\t0\t8\tM\t1\t" + P("n.wav") + "\n");
}

TEST_F(RegionCli, ANewSoundReplacingTheFileTakesItsRegionsAway) {
  const auto r = RunCli({P("s.wav"), "--region", "a,0,9,M,1", "--new", "1,1,8000,8,100", "--list-regions"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace tarkel::test
