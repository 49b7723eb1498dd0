// Hard-disk editing through the document: the file is the sound, its header follows every change,
// a change is journalled before it touches the file, and another program cutting the file short
// under the mapping makes the next change fail with a message instead of crashing.
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "DocumentTestSupport.h"
#include "document/CTarkelDoc.h"
#include "document/EditCommands.h"
#include "document/EditJournal.h"
#include "sound/Bytes.h"
#include "sound/MessageIds.h"
#include "support/Signals.h"

namespace tarkel {
namespace {

namespace fs = std::filesystem;
using test::DocumentTest;

class HardDiskTest : public DocumentTest {
 protected:
  HardDiskTest() {
    dir_ = fs::temp_directory_path() / ("tarkel-hd-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    App().hardDiskEditing = 1;
  }
  ~HardDiskTest() override { fs::remove_all(dir_); }

  std::string File(const std::string& name) const { return (dir_ / name).string(); }

  // A canonical 44-byte-header file of `data` with a LIST chunk after the data.
  std::string WriteCanonical(const std::string& name, uint16_t channels, uint16_t bits, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> f(44);
    const uint16_t align = uint16_t(channels * bits / 8);
    PutTag(f.data(), "RIFF");
    PutTag(f.data() + 8, "WAVE");
    PutTag(f.data() + 12, "fmt ");
    PutLE32(f.data() + 16, 16);
    PutLE16(f.data() + 20, 1);
    PutLE16(f.data() + 22, channels);
    PutLE32(f.data() + 24, 22050);
    PutLE32(f.data() + 28, 22050u * align);
    PutLE16(f.data() + 32, align);
    PutLE16(f.data() + 34, bits);
    PutTag(f.data() + 36, "data");
    PutLE32(f.data() + 40, uint32_t(data.size()));
    f.insert(f.end(), data.begin(), data.end());
    if (data.size() & 1) f.push_back(0);
    const uint8_t list[] = {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'I', 'N', 'F', 'O'};
    f.insert(f.end(), std::begin(list), std::end(list));
    PutLE32(f.data() + 4, uint32_t(f.size() - 8));
    const std::string path = File(name);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(f.data()), std::streamsize(f.size()));
    return path;
  }

  static std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }

  fs::path dir_;
  static inline int counter_ = 0;
};

// The "data" chunk's bytes and the chunk ids of a RIFF WAVE file whose sizes must all agree.
struct ParsedWave {
  bool valid = false;
  std::vector<uint8_t> data;
  std::vector<std::string> ids;
};

ParsedWave Parse(const std::vector<uint8_t>& f) {
  ParsedWave w;
  if (f.size() < 12 || !HasTag(f.data(), "RIFF") || GetLE32(f.data() + 4) + 8ull != f.size()) return w;
  size_t p = 12;
  while (p + 8 <= f.size()) {
    const uint32_t n = GetLE32(f.data() + p + 4);
    if (p + 8 + n > f.size()) return w;
    w.ids.emplace_back(reinterpret_cast<const char*>(f.data() + p), 4);
    if (w.ids.back() == "data") w.data.assign(f.begin() + long(p + 8), f.begin() + long(p + 8 + n));
    p += 8 + n + (n & 1);
  }
  w.valid = p == f.size();
  return w;
}

TEST_F(HardDiskTest, GrowingByAHundredBytesAddsAHundredBytesOfSilenceToTheFile) {
  for (const uint16_t bits : {uint16_t(8), uint16_t(16)}) {
    const std::vector<uint8_t> samples = bits == 8 ? test::Staircase8(301) : test::Staircase16(150);
    const std::string path = WriteCanonical("grow" + std::to_string(bits) + ".wav", 1, bits, samples);
    {
      CTarkelDoc doc;
      ASSERT_TRUE(doc.Open(path));
      ASSERT_TRUE(doc.IsHardDisk());
      EXPECT_EQ(doc.Sound().HeaderOffset(), 44);
      EXPECT_EQ(test::Bytes(doc.Sound()), samples);
      ASSERT_TRUE(doc.GrowBy(100));
      // The file is right after the change, not only when the document closes.
      const ParsedWave now = Parse(ReadBytes(path));
      ASSERT_TRUE(now.valid);
      std::vector<uint8_t> expected = samples;
      expected.insert(expected.end(), 100, bits == 8 ? 127 : 0);
      EXPECT_EQ(now.data, expected);
      EXPECT_EQ(now.ids, (std::vector<std::string>{"fmt ", "data", "LIST"}));
    }
    EXPECT_FALSE(fs::exists(JournalPathFor(path)));
  }
  EXPECT_TRUE(ports.messages.empty());
}

TEST_F(HardDiskTest, EditsChangeTheFileInPlaceAndUndoPutsItBack) {
  const std::vector<uint8_t> samples = test::Staircase16(2000);  // 1000 stereo frames
  const std::string path = WriteCanonical("edit.wav", 2, 16, samples);
  const std::vector<uint8_t> original = ReadBytes(path);
  CTarkelDoc doc;
  ASSERT_TRUE(doc.Open(path));
  ASSERT_TRUE(RunEditCommand(doc, EditCommand::Delete, 100, 199, ChannelMode::Both));
  ParsedWave now = Parse(ReadBytes(path));
  ASSERT_TRUE(now.valid);
  EXPECT_EQ(now.data, test::Bytes(doc.Sound()));
  EXPECT_EQ(now.data.size(), 900u * 4);
  ASSERT_TRUE(doc.UndoLastChange());
  EXPECT_EQ(ReadBytes(path), original);
  ASSERT_TRUE(RunEditCommand(doc, EditCommand::Erase, 10, 19, ChannelMode::Left));
  EXPECT_EQ(Parse(ReadBytes(path)).data, test::Bytes(doc.Sound()));
  EXPECT_TRUE(ports.messages.empty());
}

TEST_F(HardDiskTest, OnlyRiffWaveFilesNamedWavAreEditedInPlace) {
  // A Creative Voice file, and a ".wav" that holds raw bytes, are read into memory.
  const std::string voc = File("x.voc");
  {
    CTarkelDoc writer;
    test::Fill(writer.Sound(), 1, 22050, 8, test::Staircase8(300));
    ASSERT_TRUE(writer.Save(voc));
  }
  std::ofstream(File("raw.wav"), std::ios::binary) << "not a riff file at all";
  for (const std::string& path : {voc, File("raw.wav")}) {
    CTarkelDoc doc;
    ASSERT_TRUE(doc.Open(path));
    EXPECT_FALSE(doc.IsHardDisk()) << path;
    EXPECT_FALSE(doc.Sound().IsHardDisk()) << path;
    EXPECT_TRUE(doc.CanSave());
  }
  const std::string upper = WriteCanonical("LOUD.WAV", 1, 8, test::Staircase8(10));
  CTarkelDoc doc;
  ASSERT_TRUE(doc.Open(upper));
  EXPECT_TRUE(doc.IsHardDisk());
  EXPECT_FALSE(doc.CanSave());
  EXPECT_FALSE(doc.CanDeleteFile());
}

TEST_F(HardDiskTest, FileCutShortByAnotherProgramFailsTheNextChangeWithAMessage) {
  const std::string path = WriteCanonical("cut.wav", 1, 16, test::Staircase16(300000));
  CTarkelDoc doc;
  ASSERT_TRUE(doc.Open(path));
  ASSERT_EQ(::truncate(path.c_str(), 4096), 0);
  EXPECT_FALSE(RunEditCommand(doc, EditCommand::Erase, 0, 10, ChannelMode::Mono));
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kFileChangedOutside});
  EXPECT_FALSE(doc.GrowBy(10));
  // The document stays usable: its bytes can still be read (the lost ones read as silence).
  const uint8_t* data = doc.Sound().Data();
  uint64_t sum = 0;
  for (uint32_t i = 0; i < doc.Sound().DataSize(); i += 4096) sum += data[i];
  EXPECT_EQ(data[doc.Sound().DataSize() - 1], 0);
  EXPECT_FALSE(fs::exists(JournalPathFor(path)));
  (void)sum;
}

TEST_F(HardDiskTest, FileCutShortWhileAChangeRunsFailsThatChangeWithoutACrash) {
  const std::string path = WriteCanonical("during.wav", 1, 16, test::Staircase16(300000));
  CTarkelDoc doc;
  ASSERT_TRUE(doc.Open(path));
  const uint32_t size = doc.Sound().DataSize();
  const bool ok = doc.RunEdit(UndoRequest::Of(UndoKind::Replacement, 0, size), ChannelMode::Mono, [&](DocWaveAudio& w) {
    ::truncate(path.c_str(), 4096);  // another program, half-way through the change
    std::memset(w.Data(), 1, w.DataSize());
    return EditOutcome::Done();
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kFileChangedOutside});
  EXPECT_EQ(doc.Sound().Data()[size - 1], 1);  // the page of zeros took the write
  EXPECT_FALSE(doc.GrowBy(2));
}

TEST_F(HardDiskTest, DiskWithoutRoomRefusesToGrowWithAMessage) {
  const std::string path = WriteCanonical("full.wav", 1, 8, test::Staircase8(1000));
  const std::vector<uint8_t> before = ReadBytes(path);
  CTarkelDoc doc;
  ASSERT_TRUE(doc.Open(path));
  // A file size limit stands in for a full disk.
  struct rlimit old {};
  ::getrlimit(RLIMIT_FSIZE, &old);
  const auto previous = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = old;
  limit.rlim_cur = 1 << 20;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  const bool grown = doc.GrowBy(4u << 20);
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, previous);
  EXPECT_FALSE(grown);
  ASSERT_FALSE(ports.messages.empty());
  EXPECT_EQ(ports.messages.front(), msg::kFileMappingError);
  EXPECT_EQ(doc.Sound().DataSize(), 1000u);
  EXPECT_EQ(test::Bytes(doc.Sound()), test::Staircase8(1000));
  ports.messages.clear();
  ASSERT_TRUE(doc.GrowBy(10));  // room again: the document goes on
  EXPECT_EQ(Parse(ReadBytes(path)).data.size(), 1010u);
  (void)before;
}

// A change killed half-way leaves its journal; the next open puts the file back and says so.
TEST_F(HardDiskTest, OpeningAfterAKilledChangeRestoresTheFileFromTheJournal) {
  const std::string path = WriteCanonical("killed.wav", 2, 16, test::Staircase16(20000));
  const std::vector<uint8_t> original = ReadBytes(path);
  const pid_t child = ::fork();
  if (child == 0) {
    CTarkelDoc doc;
    if (!doc.Open(path)) ::_exit(2);
    // The change cuts the sound and scribbles over what is left, then the process dies.
    doc.RunEdit(UndoRequest::Of(UndoKind::Removal, 400, 8000), ChannelMode::Both, [](DocWaveAudio& w) {
      w.ResizeData(4000);
      std::memset(w.Data() + 400, 0x55, 3600);
      ::_exit(0);
      return EditOutcome::Done();
    });
    ::_exit(3);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_TRUE(fs::exists(JournalPathFor(path)));
  EXPECT_NE(ReadBytes(path), original);

  App().hardDiskEditing = 0;
  CTarkelDoc doc;
  ASSERT_TRUE(doc.Open(path));
  EXPECT_EQ(ports.messages, std::vector<int>{msg::kJournalRestored});
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_FALSE(fs::exists(JournalPathFor(path)));
  EXPECT_EQ(test::Bytes(doc.Sound()), test::Staircase16(20000));
}

TEST_F(HardDiskTest, JournalCutOffWhileBeingWrittenIsDroppedAndTheFileLeftAlone) {
  const std::string path = WriteCanonical("torn.wav", 1, 8, test::Staircase8(500));
  const std::vector<uint8_t> original = ReadBytes(path);
  // A journal whose end never reached the disk: the header and part of a segment.
  std::ofstream(JournalPathFor(path), std::ios::binary) << std::string("TKJ1\x10\0\0\0\0\0\0\0\x03\0\0\0\0\0\0", 19);
  CTarkelDoc doc;
  ASSERT_TRUE(doc.Open(path));
  EXPECT_TRUE(ports.messages.empty());
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_FALSE(fs::exists(JournalPathFor(path)));
}

TEST_F(HardDiskTest, JournalOfAChangeStillRunningIsLeftToTheEditorThatRunsIt) {
  const std::string path = WriteCanonical("live.wav", 1, 8, test::Staircase8(5000));
  CTarkelDoc editor;
  ASSERT_TRUE(editor.Open(path));
  bool journalKept = false;
  ASSERT_TRUE(editor.RunEdit(UndoRequest::Of(UndoKind::Replacement, 0, 100), ChannelMode::Mono, [&](DocWaveAudio& w) {
    std::memset(w.Data(), 9, 100);
    App().hardDiskEditing = 0;
    CTarkelDoc reader;  // a second look at the same file while the change runs
    EXPECT_TRUE(reader.Open(path));
    journalKept = fs::exists(JournalPathFor(path));
    return EditOutcome::Done();
  }));
  EXPECT_TRUE(journalKept);
  EXPECT_TRUE(ports.messages.empty());
  EXPECT_EQ(Parse(ReadBytes(path)).data[0], 9);
  EXPECT_FALSE(fs::exists(JournalPathFor(path)));
}

TEST_F(HardDiskTest, JournalNameIsADotTheFileNameAndTheSuffixBesideTheSound) {
  EXPECT_EQ(JournalPathFor("/snd/Take 1.WAV"), "/snd/.Take 1.WAV.tarkel-journal");
  EXPECT_EQ(JournalPathFor("song.wav"), ".song.wav.tarkel-journal");
}

TEST_F(HardDiskTest, BackupIsTakenBeforeTheFileIsMapped) {
  const std::string path = WriteCanonical("song.wav", 1, 8, test::Staircase8(64));
  const std::vector<uint8_t> original = ReadBytes(path);
  App().backupOnOpen = true;
  CTarkelDoc doc;
  ASSERT_TRUE(doc.Open(path));
  ASSERT_TRUE(doc.GrowBy(6));
  EXPECT_EQ(ReadBytes(File("SONG_copy.WAV")), original);
  EXPECT_NE(ReadBytes(path), original);
}

}  // namespace
}  // namespace tarkel
