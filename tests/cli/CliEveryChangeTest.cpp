// tarkel-cli: every change can be undone (one channel of stereo, a new length), an undo never
// replays an older record, and the clipboard file carries a selection of any length.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "cli/CliRunner.h"
#include "sound/WaveAudio.h"
#include "sound/WaveImage.h"
#include "fileformats/SoundFile.h"
#include "support/Signals.h"

namespace tarkel {
namespace {

using test::RunCli;

struct Sound {
  uint16_t channels = 0;
  uint32_t frames = 0;
  std::vector<uint8_t> data;
  bool operator==(const Sound&) const = default;
};

Sound Read(const std::filesystem::path& path) {
  WaveAudio wave;
  if (!OpenSoundFile(wave, path.string(), 0, false)) return {};
  return {wave.Channels(), wave.Frames(), test::Bytes(wave)};
}

// A 16-bit stereo file of `frames` frames whose every byte says where it stands.
void WriteStereo(const std::filesystem::path& path, uint32_t frames) {
  std::vector<uint8_t> file(kCanonicalHeaderSize + size_t(frames) * 4);
  WriteCanonicalHeader(file.data(), WaveFormat::Pcm(2, 44100, 16), frames * 4);
  for (size_t i = kCanonicalHeaderSize; i < file.size(); ++i) file[i] = uint8_t(i * 7 + i / 251);
  test::WriteFileBytes(path, file);
}

class CliEveryChange : public ::testing::Test {
 protected:
  CliEveryChange() {
    WriteStereo(dir / "in.wav", 3000);
    original = Read(dir / "in.wav");
  }
  // Runs the options on in.wav and reads what was saved.
  Sound Run(std::vector<std::string> options) {
    options.insert(options.begin(), (dir / "in.wav").string());
    options.push_back("-o");
    options.push_back((dir / "out.wav").string());
    const auto r = RunCli(options);
    EXPECT_EQ(r.status, 0) << r.err;
    return Read(dir / "out.wav");
  }

  test::TempDir dir;
  Sound original;
};

TEST_F(CliEveryChange, OneChannelEditsOfStereoAreUndoneToTheSameStereoSound) {
  for (const char* edit : {"trim", "cut", "delete", "move:2000", "copy-to:1000", "move:1000,left"}) {
    EXPECT_EQ(Run({"--channel", "right", "--select", "100:300", "--edit", edit, "--undo"}), original) << edit;
  }
  const std::string clip = (dir / "clip.wav").string();
  EXPECT_EQ(Run({"--clipboard", clip, "--channel", "left", "--select", "0:200", "--edit", "copy", "--select",
                 "1000:1000", "--edit", "paste", "--undo"}),
            original);
}

TEST_F(CliEveryChange, ANewLengthIsUndoneAndNoOlderRecordIsReplayed) {
  EXPECT_EQ(Run({"--edit", "length:10", "--undo"}), original);
  EXPECT_EQ(Run({"--edit", "length:5000", "--undo"}), original);
  const Sound deleted = Run({"--select", "100:300", "--edit", "delete"});
  ASSERT_EQ(deleted.frames, 2799u);
  EXPECT_EQ(Run({"--select", "100:300", "--edit", "delete", "--edit", "length:1500", "--undo"}), deleted);
  const Sound halved = Run({"--effect", "amplitude:50"});
  EXPECT_EQ(Run({"--effect", "amplitude:50", "--edit", "length:10", "--undo"}), halved);
}

TEST_F(CliEveryChange, NothingToUndoIsAMessageLine) {
  const auto r = RunCli({(dir / "in.wav").string(), "--undo"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind("message", 0), 0u) << r.err;
  const auto twice = RunCli({(dir / "in.wav").string(), "--edit", "length:10", "--undo", "--undo"});
  EXPECT_EQ(twice.status, 1);
  EXPECT_EQ(twice.err.rfind("message", 0), 0u) << twice.err;
}

// A limit on the address space cannot be combined with the sanitizers' shadow memory.
#if !defined(__SANITIZE_ADDRESS__)
TEST_F(CliEveryChange, WithoutMemoryForTheUndoCopyTheAnswerDecides) {
  // 200 MB of sound in 400 MB of address space: the sound fits, a copy of it for undo does not.
  const std::string big = (dir / "big.wav").string();
  ASSERT_EQ(RunCli({"--new", "1,2,44100,16,50000000", "-o", big}).status, 0);
  constexpr uint64_t kLimit = 400000;
  const std::string question = std::string("message: ") + "Not enough memory to keep Undo data for this change !";
  const auto no = RunCli({big, "--effect", "amplitude:50", "--undo"}, kLimit);
  EXPECT_EQ(no.status, 1);
  EXPECT_EQ(no.err.rfind(question, 0), 0u) << no.err;
  EXPECT_EQ(no.err.find("no change to undo"), std::string::npos) << no.err;

  // Yes: the change is made, and there is nothing to undo afterwards.
  const auto yes = RunCli({big, "--yes", "--effect", "amplitude:50", "--info", "--undo"}, kLimit);
  EXPECT_EQ(yes.status, 1);
  EXPECT_EQ(yes.err.rfind(question, 0), 0u) << yes.err;
  EXPECT_NE(yes.out.find("frames: 50000000"), std::string::npos) << yes.out;
  EXPECT_NE(yes.err.find("message: There is no change to undo"), std::string::npos) << yes.err;
  std::filesystem::remove(big);
}
#endif

TEST_F(CliEveryChange, AMinuteOfStereoTravelsThroughTheClipboardFileWhole) {
  constexpr uint32_t kMinute = 60 * 44100;
  WriteStereo(dir / "minute.wav", kMinute);
  const Sound minute = Read(dir / "minute.wav");
  const std::string clip = (dir / "clip.wav").string();
  const auto copied = RunCli({(dir / "minute.wav").string(), "--clipboard", clip, "--edit", "copy"});
  ASSERT_EQ(copied.status, 0) << copied.err;
  EXPECT_EQ(Read(clip), minute);

  const Sound pasted = Run({"--clipboard", clip, "--select", "1000:1000", "--edit", "paste"});
  ASSERT_EQ(pasted.frames, 3000 + kMinute);
  EXPECT_TRUE(std::equal(minute.data.begin(), minute.data.end(), pasted.data.begin() + 4000));
  EXPECT_TRUE(std::equal(original.data.begin() + 4000, original.data.end(), pasted.data.end() - 8000));
  // No temporary file is left beside the clipboard file.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 4);
}

}  // namespace
}  // namespace tarkel
