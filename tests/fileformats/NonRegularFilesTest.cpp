// Opening never waits: a named pipe, a device, a folder or a socket is refused with the open
// error at once, whether it is named directly, through a link, or swapped in after the check.
// CTest gives these cases a time limit, so a reader that blocks again fails instead of hanging.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

#include "CraftedFiles.h"
#include "document/CTarkelDoc.h"
#include "sound/AppContext.h"
#include "sound/MessageIds.h"
#include "sound/WaveAudio.h"
#include "fileformats/SafeOpen.h"
#include "fileformats/SoundFile.h"
#include "support/TestPorts.h"

namespace tarkel::test {
namespace {

// A folder holding one of each kind of file that is not a regular one.
class NonRegularFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::mkfifo(Pipe().c_str(), 0666), 0);
    ASSERT_EQ(::mkdir(Folder().c_str(), 0777), 0);
    ASSERT_EQ(::symlink(Pipe().c_str(), LinkToPipe().c_str()), 0);
    socket_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(socket_, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(Socket().size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, Socket().c_str());
    ASSERT_EQ(::bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  }
  void TearDown() override {
    if (socket_ >= 0) ::close(socket_);
  }
  std::string Pipe() const { return folder_.File("pipe.wav"); }
  std::string Folder() const { return folder_.File("folder.wav"); }
  std::string LinkToPipe() const { return folder_.File("link.wav"); }
  std::string Socket() const { return folder_.File("socket.wav"); }
  std::vector<std::string> All() const { return {Pipe(), Folder(), LinkToPipe(), Socket(), "/dev/zero", "/dev/null"}; }

  TempFolder folder_;
  int socket_ = -1;
};

TEST_F(NonRegularFiles, AreRefusedWithTheOpenError) {
  for (const std::string& path : All()) {
    RecordingPorts ports;
    WaveAudio wave;
    EXPECT_FALSE(OpenSoundFile(wave, path, 0, false)) << path;
    EXPECT_EQ(ports.messages, std::vector<int>{msg::kOpenFileError}) << path;
    EXPECT_FALSE(wave.HasData()) << path;
  }
}

TEST_F(NonRegularFiles, AreRefusedByTheDocumentWithHardDiskAndBackupOn) {
  AppContext saved = App();
  App().hardDiskEditing = 1;
  App().backupOnOpen = true;
  for (const std::string& path : {Pipe(), Folder(), LinkToPipe()}) {
    RecordingPorts ports;
    CTarkelDoc doc;
    EXPECT_FALSE(doc.Open(path)) << path;
    ASSERT_FALSE(ports.messages.empty());
    EXPECT_EQ(ports.messages.back(), msg::kOpenFileError) << path;
  }
  App() = saved;
  // No backup was made of anything.
  EXPECT_EQ(folder_.Entries(), (std::vector<std::string>{"folder.wav", "link.wav", "pipe.wav", "socket.wav"}));
}

// The check on the opened descriptor alone: what a pipe swapped in for the file after the check
// on its name meets.
TEST_F(NonRegularFiles, TheOpenedDescriptorIsCheckedAgain) {
  for (const std::string& path : {Pipe(), LinkToPipe(), std::string("/dev/zero")}) {
    errno = 0;
    EXPECT_EQ(OpenWithoutWaiting(path, O_RDONLY), -1) << path;
    EXPECT_EQ(errno, EINVAL) << path;
  }
  // A pipe with a writer waiting at the other end is refused as well.
  const int writer = ::open(Pipe().c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_GE(writer, 0);
  EXPECT_EQ(OpenWithoutWaiting(Pipe(), O_RDONLY), -1);
  ::close(writer);
}

TEST_F(NonRegularFiles, AClipboardFileThatIsAPipeReadsAsEmpty) {
  std::vector<uint8_t> bytes{1, 2, 3};
  EXPECT_FALSE(ReadRegularFile(Pipe(), bytes));
  EXPECT_TRUE(bytes.empty());
  EXPECT_FALSE(RegularFileSize(Pipe()));
  EXPECT_FALSE(RegularFileSize(Folder()));
}

TEST(SafeOpen, ARegularFileOpensInBlockingModeAndReadsWhole) {
  TempFolder folder;
  const std::string path = folder.File("a.raw");
  WriteFileBytes(path, Text("twelve bytes"));
  ASSERT_EQ(::symlink("a.raw", folder.File("b.raw").c_str()), 0);
  for (const std::string& name : {path, folder.File("b.raw")}) {
    const int fd = OpenRegularFile(name, O_RDONLY);
    ASSERT_GE(fd, 0) << name;
    EXPECT_EQ(::fcntl(fd, F_GETFL) & O_NONBLOCK, 0);
    ::close(fd);
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadRegularFile(name, bytes));
    EXPECT_EQ(bytes, Text("twelve bytes"));
    EXPECT_EQ(RegularFileSize(name), 12u);
  }
  EXPECT_EQ(OpenRegularFile(folder.File("missing.raw"), O_RDONLY), -1);
  EXPECT_EQ(errno, ENOENT);
}

TEST(SafeOpen, TheBackupCopyHasTheContentsAndPermissionsOfTheFile) {
  TempFolder folder;
  ByteString contents(3'000'000);
  for (size_t i = 0; i < contents.size(); ++i) contents[i] = uint8_t(i * 7);
  WriteFileBytes(folder.File("a.wav"), contents);
  ASSERT_EQ(::chmod(folder.File("a.wav").c_str(), 0640), 0);
  WriteFileBytes(folder.File("copy.wav"), Text("an older copy"));
  ASSERT_TRUE(CopyRegularFile(folder.File("a.wav"), folder.File("copy.wav")));
  EXPECT_EQ(ReadFileBytes(folder.File("copy.wav")), contents);
  struct stat st {};
  ASSERT_EQ(::stat(folder.File("copy.wav").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  ASSERT_EQ(::mkfifo(folder.File("pipe.wav").c_str(), 0666), 0);
  EXPECT_FALSE(CopyRegularFile(folder.File("pipe.wav"), folder.File("copy2.wav")));
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"a.wav", "copy.wav", "pipe.wav"}));
}

}  // namespace
}  // namespace tarkel::test
