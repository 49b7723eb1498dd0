#include "fileformats/ByteStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "fileformats/SafeOpen.h"

namespace tarkel {
namespace {

// read() and write() move at most this much per call on Linux; larger requests are split.
constexpr size_t kMaxTransferPerCall = 0x7FFFF000;
// Bytes written before they are handed to the disk.
constexpr uint64_t kWritebackBatch = 8u << 20;

}  // namespace

// --- Memory --------------------------------------------------------------------------------

size_t MemorySource::Read(void* destination, size_t n) {
  if (position_ >= bytes_.size()) return 0;
  const size_t count = size_t(std::min<uint64_t>(n, bytes_.size() - position_));
  if (count) std::memcpy(destination, bytes_.data() + position_, count);
  position_ += count;
  return count;
}

bool MemorySource::Seek(uint64_t position) {
  if (position > bytes_.size()) return false;
  position_ = position;
  return true;
}

bool MemorySink::Write(const void* source, size_t n) {
  if (n == 0) return true;
  const uint64_t end = position_ + n;
  if (end > bytes_.max_size()) return false;
  if (end > bytes_.size()) bytes_.resize(size_t(end));
  std::memcpy(bytes_.data() + position_, source, n);
  position_ = end;
  return true;
}

bool MemorySink::Seek(uint64_t position) {
  if (position > bytes_.size()) return false;
  position_ = position;
  return true;
}

// --- Files ---------------------------------------------------------------------------------

bool FileSource::Open(const std::string& path) {
  Close();
  // Only a regular file is opened: a pipe or a device would make the reader wait for ever.
  const int fd = OpenRegularFile(path, O_RDONLY);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  size_ = uint64_t(st.st_size);
  position_ = 0;
  return true;
}

void FileSource::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  position_ = 0;
  size_ = 0;
}

size_t FileSource::Read(void* destination, size_t n) {
  if (fd_ < 0) return 0;
  auto* out = static_cast<uint8_t*>(destination);
  size_t done = 0;
  while (done < n) {
    const ssize_t got = ::read(fd_, out + done, std::min(n - done, kMaxTransferPerCall));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += size_t(got);
  }
  position_ += done;
  return done;
}

bool FileSource::Seek(uint64_t position) {
  if (fd_ < 0 || position > size_) return false;
  if (::lseek(fd_, off_t(position), SEEK_SET) < 0) return false;
  position_ = position;
  return true;
}

bool FileSink::Create(const std::string& path) {
  Close();
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  position_ = 0;
  writebackFrom_ = 0;
  return fd_ >= 0;
}

bool FileSink::CreateNew(const std::string& path) {
  Close();
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  position_ = 0;
  writebackFrom_ = 0;
  return fd_ >= 0;
}

bool FileSink::SetMode(uint32_t mode) { return fd_ >= 0 && ::fchmod(fd_, mode_t(mode)) == 0; }

bool FileSink::Commit() {
  if (fd_ < 0) return false;
  const bool synced = ::fsync(fd_) == 0;
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  return synced && closed;
}

void FileSink::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool FileSink::Write(const void* source, size_t n) {
  if (fd_ < 0) return false;
  const auto* in = static_cast<const uint8_t*>(source);
  size_t done = 0;
  while (done < n) {
    const ssize_t put = ::write(fd_, in + done, std::min(n - done, kMaxTransferPerCall));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) break;
    done += size_t(put);
  }
  position_ += done;
  StartWriteback();
  return done == n;
}

// Hands what was written so far to the disk without waiting, once enough has gathered: the
// data then flows out while the rest is written, and the flush at the end has little left.
void FileSink::StartWriteback() {
  if (position_ < writebackFrom_ + kWritebackBatch) return;
  ::sync_file_range(fd_, off_t(writebackFrom_), off_t(position_ - writebackFrom_), SYNC_FILE_RANGE_WRITE);
  writebackFrom_ = position_;
}

bool FileSink::Seek(uint64_t position) {
  if (fd_ < 0 || ::lseek(fd_, off_t(position), SEEK_SET) < 0) return false;
  position_ = position;
  return true;
}

}  // namespace tarkel
