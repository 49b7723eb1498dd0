// What a save keeps of the file it replaces: the links that lead to it, its owner and group,
// its permission bits (but not setuid, setgid or sticky), the other names of a hard-linked file;
// and what it cleans up: the temporary file of a save that was killed.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "CraftedFiles.h"
#include "sound/MessageIds.h"
#include "sound/WaveAudio.h"
#include "fileformats/SaveTarget.h"
#include "fileformats/SoundFile.h"
#include "support/Signals.h"
#include "support/TestPorts.h"

namespace tarkel::test {
namespace {

constexpr uint32_t kFrames = 5000;
constexpr size_t kSavedSize = 258 + kFrames;
constexpr uid_t kNobody = 65534;

struct stat StatOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st;
}

bool IsLink(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// A process number that no process has: a child that has ended and been reaped.
pid_t EndedProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

class SaveTo : public ::testing::Test {
 protected:
  void SetUp() override { Fill(wave_, 1, 22050, 8, Staircase8(kFrames)); }
  bool Save(const std::string& name) { return SaveSoundFile(wave_, folder_.File(name), 0, kFrames); }
  ByteString Contents(const std::string& name) { return ReadFileBytes(folder_.File(name)); }
  std::string File(const std::string& name) const { return folder_.File(name); }

  TempFolder folder_;
  WaveAudio wave_;
  RecordingPorts ports_;
};

TEST_F(SaveTo, AChainOfRelativeLinksWritesTheLastTargetAndKeepsEveryLink) {
  ASSERT_EQ(::mkdir(File("sub").c_str(), 0777), 0);
  WriteFileBytes(File("sub/real.wav"), Text("old"));
  ASSERT_EQ(::symlink("real.wav", File("sub/inner.wav").c_str()), 0);
  ASSERT_EQ(::symlink("sub/inner.wav", File("outer.wav").c_str()), 0);
  ASSERT_TRUE(Save("outer.wav"));
  EXPECT_TRUE(IsLink(File("outer.wav")));
  EXPECT_TRUE(IsLink(File("sub/inner.wav")));
  EXPECT_EQ(Contents("sub/real.wav").size(), kSavedSize);
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"outer.wav", "sub"}));
  EXPECT_TRUE(ports_.messages.empty());
}

TEST_F(SaveTo, ADanglingLinkCreatesItsTarget) {
  ASSERT_EQ(::mkdir(File("sub").c_str(), 0777), 0);
  ASSERT_EQ(::symlink("sub/new.wav", File("link.wav").c_str()), 0);
  ASSERT_EQ(::symlink(File("sub/new2.wav").c_str(), File("absolute.wav").c_str()), 0);  // absolute
  ASSERT_TRUE(Save("link.wav"));
  ASSERT_TRUE(Save("absolute.wav"));
  EXPECT_TRUE(IsLink(File("link.wav")));
  EXPECT_TRUE(IsLink(File("absolute.wav")));
  EXPECT_EQ(Contents("sub/new.wav").size(), kSavedSize);
  EXPECT_EQ(Contents("sub/new2.wav").size(), kSavedSize);
}

TEST_F(SaveTo, ALoopOfLinksSays3019AndChangesNothing) {
  ASSERT_EQ(::symlink("b.wav", File("a.wav").c_str()), 0);
  ASSERT_EQ(::symlink("a.wav", File("b.wav").c_str()), 0);
  ASSERT_EQ(::symlink("self.wav", File("self.wav").c_str()), 0);
  ASSERT_EQ(::symlink("loop/x.wav", File("loop").c_str()), 0);  // a loop among the folders
  for (const char* name : {"a.wav", "self.wav", "loop/x.wav"}) {
    RecordingPorts ports;
    EXPECT_FALSE(Save(name)) << name;
    EXPECT_EQ(ports.messages, std::vector<int>{msg::kCreateFileError}) << name;
  }
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"a.wav", "b.wav", "loop", "self.wav"}));
  for (const char* name : {"a.wav", "b.wav", "self.wav", "loop"}) EXPECT_TRUE(IsLink(File(name))) << name;
}

TEST_F(SaveTo, OwnerAndGroupAreKept) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
  WriteFileBytes(File("song.wav"), Text("old"));
  ASSERT_EQ(::chown(File("song.wav").c_str(), kNobody, kNobody), 0);
  ASSERT_EQ(::chmod(File("song.wav").c_str(), 0640), 0);
  ASSERT_TRUE(Save("song.wav"));
  const struct stat st = StatOf(File("song.wav"));
  EXPECT_EQ(st.st_uid, kNobody);
  EXPECT_EQ(st.st_gid, kNobody);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(Contents("song.wav").size(), kSavedSize);
}

// A user saving a file of someone else's that they may write (through its group) cannot keep
// its owner, but keeps its group when they belong to it; the save works either way.
TEST_F(SaveTo, AUserKeepsTheGroupTheyBelongToAndSavesWhenTheyCannot) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  constexpr uid_t kRoot = 0;
  constexpr gid_t kTheirGroup = 100, kOtherGroup = 101;
  ASSERT_EQ(::chmod(folder_.Path().c_str(), 0777), 0);
  WriteFileBytes(File("theirs.wav"), Text("old"));
  WriteFileBytes(File("other.wav"), Text("old"));
  ASSERT_EQ(::chown(File("theirs.wav").c_str(), kRoot, kTheirGroup), 0);
  ASSERT_EQ(::chown(File("other.wav").c_str(), kRoot, kOtherGroup), 0);
  ASSERT_EQ(::chmod(File("theirs.wav").c_str(), 0664), 0);
  ASSERT_EQ(::chmod(File("other.wav").c_str(), 0666), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const gid_t groups[] = {kTheirGroup};
    if (::setgroups(1, groups) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(2);
    RecordingPorts ports;
    ::_exit(Save("theirs.wav") && Save("other.wav") && ports.messages.empty() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  ASSERT_EQ(WEXITSTATUS(status), 0);
  const struct stat theirs = StatOf(File("theirs.wav")), other = StatOf(File("other.wav"));
  EXPECT_EQ(theirs.st_uid, kNobody);
  EXPECT_EQ(theirs.st_gid, kTheirGroup);
  EXPECT_EQ(theirs.st_mode & 07777, 0664u);
  EXPECT_EQ(other.st_uid, kNobody);
  EXPECT_EQ(other.st_gid, kNobody);
  EXPECT_EQ(Contents("other.wav").size(), kSavedSize);
}

TEST_F(SaveTo, SetuidSetgidAndStickyAreDroppedTheOtherBitsKept) {
  WriteFileBytes(File("song.wav"), Text("old"));
  WriteFileBytes(File("plain.wav"), Text("old"));
  ASSERT_EQ(::chmod(File("song.wav").c_str(), 07754), 0);
  ASSERT_EQ(::chmod(File("plain.wav").c_str(), 0604), 0);
  ASSERT_TRUE(Save("song.wav"));
  ASSERT_TRUE(Save("plain.wav"));
  EXPECT_EQ(StatOf(File("song.wav")).st_mode & 07777, 0754u);
  EXPECT_EQ(StatOf(File("plain.wav")).st_mode & 07777, 0604u);
}

std::string AttributeOf(const std::string& path, const char* name) {
  char value[256];
  const ssize_t n = ::getxattr(path.c_str(), name, value, sizeof value);
  return n < 0 ? std::string("(none)") : std::string(value, size_t(n));
}

// An access ACL in the kernel's form: version 2, then tag, permissions and id per entry.
std::string AccessAcl(std::initializer_list<std::tuple<uint16_t, uint16_t, uint32_t>> entries) {
  std::string acl;
  auto put = [&](uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) acl += char(v >> (8 * i));
  };
  put(2, 4);
  for (const auto& [tag, perm, id] : entries) {
    put(tag, 2);
    put(perm, 2);
    put(id, 4);
  }
  return acl;
}

// Extended attributes stay with the file: a user's own attributes and an ACL that lets another
// user write it (the group bits of the mode follow the ACL's mask).
TEST_F(SaveTo, ExtendedAttributesAndAclsAreKept) {
  WriteFileBytes(File("song.wav"), Text("old"));
  const std::string path = File("song.wav");
  if (::setxattr(path.c_str(), "user.origin", "take 3", 6, 0) != 0)
    GTEST_SKIP() << "this file system keeps no user attributes: " << std::strerror(errno);
  constexpr uint32_t kNoId = 0xFFFFFFFF;
  const std::string acl = AccessAcl({{0x01, 6, kNoId}, {0x02, 6, kNobody}, {0x04, 4, kNoId}, {0x10, 6, kNoId}, {0x20, 4, kNoId}});
  const bool withAcl = ::setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0) == 0;
  ASSERT_TRUE(Save("song.wav"));
  EXPECT_EQ(AttributeOf(path, "user.origin"), "take 3");
  EXPECT_EQ(Contents("song.wav").size(), kSavedSize);
  if (!withAcl) return;
  EXPECT_EQ(AttributeOf(path, "system.posix_acl_access"), acl);
  EXPECT_EQ(StatOf(path).st_mode & 0070, 0060u);
}

TEST_F(SaveTo, AHardLinkedFileIsWrittenAsANewFile) {
  WriteFileBytes(File("song.wav"), Text("old"));
  ASSERT_EQ(::link(File("song.wav").c_str(), File("other-name.wav").c_str()), 0);
  ASSERT_TRUE(Save("song.wav"));
  EXPECT_EQ(Contents("song.wav").size(), kSavedSize);
  EXPECT_EQ(Contents("other-name.wav"), Text("old"));
  EXPECT_EQ(StatOf(File("song.wav")).st_nlink, 1u);
  EXPECT_EQ(StatOf(File("other-name.wav")).st_nlink, 1u);
}

TEST_F(SaveTo, APipeOrAFolderInThePlaceOfTheFileSays3019AndStays) {
  ASSERT_EQ(::mkfifo(File("pipe.wav").c_str(), 0666), 0);
  ASSERT_EQ(::mkdir(File("folder.wav").c_str(), 0777), 0);
  EXPECT_FALSE(Save("pipe.wav"));
  EXPECT_FALSE(Save("folder.wav"));
  EXPECT_EQ(ports_.messages, (std::vector<int>{msg::kCreateFileError, msg::kCreateFileError}));
  EXPECT_TRUE(S_ISFIFO(StatOf(File("pipe.wav")).st_mode));
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"folder.wav", "pipe.wav"}));
}

// Progress that kills its own process in the middle of writing: a save that gets SIGKILL.
class KillWhileWriting final : public ProgressPort {
 public:
  bool Open(const std::string&) override { return true; }
  void SetPosition(int) override {}
  void SetText(const std::string&) override {}
  bool PumpAndCheckCancel() override {
    if (++pumps_ == 10) ::raise(SIGKILL);
    return false;
  }
  void Close() override {}

 private:
  int pumps_ = 0;
};

TEST_F(SaveTo, TheTemporaryFileOfAKilledSaveIsRemovedByTheNextSave) {
  WriteFileBytes(File("song.wav"), Text("old"));
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    KillWhileWriting killer;
    SetPorts({&ports_, &killer, &ports_, &ports_});
    Save("song.wav");
    ::_exit(0);  // not reached
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  const std::vector<std::string> entries = folder_.Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].rfind(".song.wav.tarkel-save-" + std::to_string(child) + "-", 0), 0u) << entries[0];
  EXPECT_GT(ReadFileBytes(File(entries[0])).size(), 0u);
  EXPECT_EQ(Contents("song.wav"), Text("old"));  // the killed save lost nothing

  ASSERT_TRUE(Save("song.wav"));
  EXPECT_EQ(folder_.Entries(), std::vector<std::string>{"song.wav"});
  EXPECT_EQ(Contents("song.wav").size(), kSavedSize);
}

TEST_F(SaveTo, OnlyTemporaryFilesWhoseWriterIsGoneAreRemoved) {
  const std::string ended = std::to_string(EndedProcess());
  const std::string running = std::to_string(::getpid());
  const std::vector<std::string> left = {
      ".song.wav.tarkel-save-" + ended + "-0",    // its writer is gone: removed
      ".song.wav.tarkel-save-" + ended + "-3",    // likewise
      ".song.wav.tarkel-save-" + running + "-7",  // being written (locked): stays
      ".song.wav.tarkel-save-" + running + "-8",  // just created by a running save: stays
      ".other.wav.tarkel-save-" + ended + "-0",   // another file's: stays
      ".song.wav.tmp",                            // not one of ours: stays
  };
  for (const std::string& name : left) WriteFileBytes(File(name), Text("partial"));
  const int writer = ::open(File(left[2]).c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(writer, 0);
  ASSERT_TRUE(LockAsWriter(writer));
  ASSERT_TRUE(Save("song.wav"));
  ::close(writer);
  std::vector<std::string> expected = {left[2], left[3], left[4], left[5], "song.wav"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(folder_.Entries(), expected);
}

TEST_F(SaveTo, ABareNameInTheWorkingFolderFindsItsLeftOversToo) {
  const std::string stale = ".song.wav.tarkel-save-" + std::to_string(EndedProcess()) + "-0";
  WriteFileBytes(File(stale), Text("partial"));
  ASSERT_EQ(::symlink("song.wav", File("link.wav").c_str()), 0);
  char previous[4096];
  ASSERT_TRUE(::getcwd(previous, sizeof previous));
  ASSERT_EQ(::chdir(folder_.Path().c_str()), 0);
  const bool saved = SaveSoundFile(wave_, "link.wav", 0, kFrames);
  ASSERT_EQ(::chdir(previous), 0);
  ASSERT_TRUE(saved);
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"link.wav", "song.wav"}));
  EXPECT_TRUE(IsLink(File("link.wav")));
}

TEST(FollowLinks, GivesTheNameAtTheEndOfTheChain) {
  TempFolder folder;
  const std::string a = folder.File("a"), b = folder.File("b");
  EXPECT_EQ(FollowLinks(a), a);  // nothing there yet: the file to create
  ASSERT_EQ(::symlink("b", a.c_str()), 0);
  EXPECT_EQ(FollowLinks(a), folder.Path() + "/b");
  WriteFileBytes(b, Text("x"));
  EXPECT_EQ(FollowLinks(a), folder.Path() + "/b");
  EXPECT_EQ(FollowLinks("plain-name"), "plain-name");
  ASSERT_EQ(::unlink(b.c_str()), 0);
  ASSERT_EQ(::symlink("a", b.c_str()), 0);
  EXPECT_FALSE(FollowLinks(a));
}

}  // namespace
}  // namespace tarkel::test
