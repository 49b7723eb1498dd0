#include "fileformats/ReplacingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

#include "fileformats/SafeOpen.h"
#include "fileformats/SaveTarget.h"

namespace tarkel {
namespace {

constexpr int kTemporaryNameTries = 100;

// The cached pages of the file about to be replaced are given back before the new one is
// written, as overwriting the file in place would do: keeping them makes writing a large new
// file markedly slower (measured up to 1.9 times on a 1 GiB sound). The file itself is untouched.
void ForgetCachedPages(const std::string& path) {
  const int fd = OpenRegularFile(path, O_RDONLY);
  if (fd < 0) return;
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  ::close(fd);
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

ReplacingFile::ReplacingFile(const std::string& target) {
  const std::optional<std::string> followed = FollowLinks(target);
  target_ = followed.value_or(target);
  linkLoop_ = !followed;
}

ReplacingFile::~ReplacingFile() { RemoveTemporary(); }

bool ReplacingFile::Create() {
  RemoveTemporary();
  if (linkLoop_) {
    errno = ELOOP;
    return false;
  }
  struct stat existing {};
  const bool exists = ::stat(target_.c_str(), &existing) == 0;
  if (exists && (!S_ISREG(existing.st_mode) || ::access(target_.c_str(), W_OK) != 0)) return false;
  RemoveStaleTemporaries(target_);
  static std::atomic<unsigned> counter{0};
  const std::string stem = TemporaryPrefix(target_) + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < kTemporaryNameTries; ++attempt) {
    const std::string candidate = stem + std::to_string(counter++);
    if (sink_.CreateNew(candidate)) {
      temporary_ = candidate;
      // The lock tells a later save that this file is being written; a duplicate descriptor
      // holds it until the file has its final name.
      if (LockAsWriter(sink_.Descriptor())) writerLock_ = ::fcntl(sink_.Descriptor(), F_DUPFD_CLOEXEC, 0);
      if (exists) {
        TakeOverOwnerAndMode(sink_.Descriptor(), existing);
        TakeOverExtendedAttributes(sink_.Descriptor(), target_);
        ForgetCachedPages(target_);
      }
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

CommitResult ReplacingFile::Commit() {
  if (temporary_.empty() || !sink_.Commit()) return CommitResult::kFlushFailed;
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) return CommitResult::kRenameFailed;
  temporary_.clear();
  ReleaseWriterLock();
  SyncFolder(FolderOf(target_));
  return CommitResult::kDone;
}

void ReplacingFile::RemoveTemporary() {
  sink_.Close();
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
  ReleaseWriterLock();
}

void ReplacingFile::ReleaseWriterLock() {
  if (writerLock_ >= 0) ::close(writerLock_);
  writerLock_ = -1;
}

}  // namespace tarkel
