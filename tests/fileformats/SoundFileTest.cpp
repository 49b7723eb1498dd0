// The entries for files: the reader chosen by content, the raw reader, the writer chosen by the
// name, and saves that never lose the old file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "CraftedFiles.h"
#include "sound/Bytes.h"
#include "sound/MessageIds.h"
#include "sound/WaveAudio.h"
#include "fileformats/SoundFile.h"
#include "support/Signals.h"
#include "support/TestPorts.h"

namespace tarkel::test {
namespace {

const std::vector<int> kNoMessages;

TEST(OpenSoundFile, ChoosesTheReaderByContentNotByName) {
  RecordingPorts ports;
  TempFolder folder;
  {  // a 1000-byte .au file: raw, header bytes included
    const ByteString bytes = Cat({Text(".snd"), Staircase8(996)});
    WriteFileBytes(folder.File("a.au"), bytes);
    WaveAudio wave;
    ASSERT_TRUE(OpenSoundFile(wave, folder.File("a.au"), 0, false));
    EXPECT_EQ(wave.FrameCount(), 1000u);
    EXPECT_EQ(wave.Rate(), 22050u);
    EXPECT_EQ(wave.AvgBytesPerSec(), 22050u);
    EXPECT_EQ(wave.Channels(), 1u);
    EXPECT_EQ(wave.BitsPerSample(), 8u);
    EXPECT_EQ(Bytes(wave), bytes);
    EXPECT_EQ(wave.FileName(), folder.File("a.au"));
  }
  for (const char* name : {"not-riff.wav", "not-crea.voc"}) {
    WriteFileBytes(folder.File(name), Text("RIFX1234WAVEfmt "));
    WaveAudio wave;
    ASSERT_TRUE(OpenSoundFile(wave, folder.File(name), 0, false));
    EXPECT_EQ(wave.FrameCount(), 16u) << name;
  }
  {  // content decides: a voice file named .wav, a wave file named .raw
    WriteFileBytes(folder.File("voice.wav"), Cat({VocHeader(), VocBlock(1, {165, 0, 7, 8}), ByteString{0}}));
    WaveAudio voice;
    ASSERT_TRUE(OpenSoundFile(voice, folder.File("voice.wav"), 0, false));
    EXPECT_EQ(Bytes(voice), (ByteString{7, 8}));
    WriteFileBytes(folder.File("wave.raw"), CanonicalWave(2, 8000, 16, Staircase16(4)));
    WaveAudio wave;
    ASSERT_TRUE(OpenSoundFile(wave, folder.File("wave.raw"), 1, true));
    EXPECT_EQ(wave.FrameCount(), 2u);
    EXPECT_EQ(wave.BackgroundOption(), 1);
    EXPECT_FALSE(wave.IsHardDisk());  // read into memory
  }
  {
    WriteFileBytes(folder.File("empty"), {});
    WaveAudio wave;
    ASSERT_TRUE(OpenSoundFile(wave, folder.File("empty"), 0, false));
    EXPECT_EQ(wave.FrameCount(), 0u);
  }
  EXPECT_EQ(ports.messages, kNoMessages);
  WaveAudio missing;
  EXPECT_FALSE(OpenSoundFile(missing, folder.File("missing.wav"), 0, false));
  EXPECT_FALSE(OpenSoundFile(missing, folder.Path(), 0, false));  // a folder is no sound file
  EXPECT_EQ(ports.messages, (std::vector<int>{msg::kOpenFileError, msg::kOpenFileError}));
}

TEST(SaveSoundFile, TheNameChoosesTheWriter) {
  RecordingPorts ports;
  TempFolder folder;
  ASSERT_EQ(::mkdir(folder.File("x.voc").c_str(), 0755), 0);
  WaveAudio wave;
  Fill(wave, 1, 22050, 8, Staircase8(20));
  const struct {
    const char* name;
    const char* start;
  } cases[] = {{"a.voc", "Crea"}, {"B.VOC", "Crea"}, {"c.snd", "RIFF"}, {"noext", "RIFF"}, {"d.WAV", "RIFF"},
               {"e.voc.wav", "RIFF"}, {"x.voc/plain", "RIFF"}};
  for (const auto& c : cases) {
    const std::string path = folder.File(c.name);
    ASSERT_TRUE(SaveSoundFile(wave, path, 0, 20)) << c.name;
    const ByteString bytes = ReadFileBytes(path);
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), c.start) << c.name;
    EXPECT_EQ(wave.FileName(), path);
  }
  EXPECT_EQ(ports.messages, kNoMessages);
}

class SaveOverExisting : public ::testing::Test {
 protected:
  void SetUp() override {
    target_ = folder_.File("song.wav");
    old_ = Text("the old file, which must survive");
    WriteFileBytes(target_, old_);
    ASSERT_EQ(::chmod(target_.c_str(), 0640), 0);
    Fill(wave_, 1, 22050, 8, Staircase8(5000));
  }
  void ExpectOldFileAlone() {
    EXPECT_EQ(ReadFileBytes(target_), old_);
    EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"song.wav"});
  }
  TempFolder folder_;
  std::string target_;
  ByteString old_;
  WaveAudio wave_;
};

TEST_F(SaveOverExisting, ASuccessfulSaveReplacesTheFileAndKeepsItsPermissions) {
  RecordingPorts ports;
  ASSERT_TRUE(SaveSoundFile(wave_, target_, 0, 5000));
  EXPECT_EQ(ReadFileBytes(target_).size(), 258u + 5000);
  EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"song.wav"});
  struct stat st {};
  ASSERT_EQ(::stat(target_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(SaveOverExisting, ACancelledSaveLeavesTheOldFile) {
  RecordingPorts ports;
  ports.cancelAtPump = 12;
  EXPECT_FALSE(SaveSoundFile(wave_, target_, 0, 5000));
  EXPECT_EQ(ports.messages, kNoMessages);
  ExpectOldFileAlone();
}

TEST_F(SaveOverExisting, SixteenBitAsVoiceFileLeavesTheOldFile) {
  RecordingPorts ports;
  const std::string voc = folder_.File("song.voc");
  std::rename(target_.c_str(), voc.c_str());
  target_ = voc;
  WaveAudio sixteen;
  Fill(sixteen, 2, 22050, 16, Staircase16(100));
  EXPECT_FALSE(SaveSoundFile(sixteen, voc, 0, 50));
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kUnsupportedVocWrite});
  EXPECT_EQ(ReadFileBytes(voc), old_);
  EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"song.voc"});
}

// A full disk: a child process may write no more than 1000 bytes per file.
TEST_F(SaveOverExisting, AFullDiskSays3010AndLeavesTheOldFile) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const struct rlimit limit = {1000, 1000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    RecordingPorts ports;
    const bool saved = SaveSoundFile(wave_, target_, 0, 5000);
    ::_exit(!saved && ports.messages == std::vector<int>{msg::kWriteOutOfSpace} ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  ExpectOldFileAlone();
}

TEST(SaveSoundFile, AFolderThatIsMissingOrCannotBeWrittenSays3019) {
  RecordingPorts ports;
  TempFolder folder;
  WaveAudio wave;
  Fill(wave, 1, 22050, 8, Staircase8(10));
  EXPECT_FALSE(SaveSoundFile(wave, folder.File("no/such/folder/a.wav"), 0, 10));
  EXPECT_FALSE(SaveSoundFile(wave, "/proc/tarkel-cannot-be-here.wav", 0, 10));
  EXPECT_EQ(ports.messages, (std::vector<int>{msg::kCreateFileError, msg::kCreateFileError}));
  if (::geteuid() != 0) {  // permissions do not stop root
    const std::string locked = folder.File("locked");
    ASSERT_EQ(::mkdir(locked.c_str(), 0555), 0);
    EXPECT_FALSE(SaveSoundFile(wave, locked + "/a.wav", 0, 10));
    EXPECT_EQ(ports.messages.back(), msg::kCreateFileError);
  }
}

TEST(SaveSoundFile, ThroughASymbolicLinkReplacesTheFileItPointsAt) {
  RecordingPorts ports;
  TempFolder folder;
  WriteFileBytes(folder.File("real.wav"), Text("old"));
  ASSERT_EQ(::symlink("real.wav", folder.File("link.wav").c_str()), 0);
  WaveAudio wave;
  Fill(wave, 1, 22050, 8, Staircase8(10));
  ASSERT_TRUE(SaveSoundFile(wave, folder.File("link.wav"), 0, 10));
  struct stat st {};
  ASSERT_EQ(::lstat(folder.File("link.wav").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(ReadFileBytes(folder.File("real.wav")).size(), 268u);
}

TEST(SaveSoundFile, ANameOfNearlyTheLongestLengthStillSaves) {
  RecordingPorts ports;
  TempFolder folder;
  const std::string name = std::string(246, 'n') + ".wav";
  WaveAudio wave;
  Fill(wave, 1, 22050, 8, Staircase8(10));
  ASSERT_TRUE(SaveSoundFile(wave, folder.File(name), 0, 10));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{name});
}

TEST(OpenSoundMemory, EveryReaderWorksFromMemory) {
  RecordingPorts ports;
  WaveAudio wave;
  ASSERT_TRUE(OpenSoundMemory(wave, CanonicalWave(1, 8000, 8, {1, 2, 3})));
  EXPECT_EQ(Bytes(wave), (ByteString{1, 2, 3}));
  WaveAudio voice;
  ASSERT_TRUE(OpenSoundMemory(voice, Cat({VocHeader(), VocBlock(1, {165, 0, 4, 5}), ByteString{0}})));
  EXPECT_EQ(Bytes(voice), (ByteString{4, 5}));
  WaveAudio raw;
  ASSERT_TRUE(OpenSoundMemory(raw, Text("xyz")));
  EXPECT_EQ(Bytes(raw), Text("xyz"));
  EXPECT_EQ(ports.messages, kNoMessages);
}

}  // namespace
}  // namespace tarkel::test
