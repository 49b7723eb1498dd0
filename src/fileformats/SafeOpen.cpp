#include "fileformats/SafeOpen.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>

namespace tarkel {
namespace {

constexpr size_t kCopyBlock = size_t(1) << 20;
constexpr mode_t kCopiedPermissions = 0777;

// Retries a read or write that a signal interrupted; returns what the call returned.
template <typename Call>
ssize_t Retrying(Call call) {
  ssize_t result;
  do result = call();
  while (result < 0 && errno == EINTR);
  return result;
}

// Reads up to `n` bytes, as many as the file holds; -1 on error.
ssize_t ReadFully(int fd, uint8_t* to, size_t n) {
  size_t done = 0;
  while (done < n) {
    const ssize_t got = Retrying([&] { return ::read(fd, to + done, n - done); });
    if (got < 0) return -1;
    if (got == 0) break;
    done += size_t(got);
  }
  return ssize_t(done);
}

bool WriteFully(int fd, const uint8_t* from, size_t n) {
  size_t done = 0;
  while (done < n) {
    const ssize_t put = Retrying([&] { return ::write(fd, from + done, n - done); });
    if (put <= 0) return false;
    done += size_t(put);
  }
  return true;
}

}  // namespace

std::optional<uint64_t> RegularFileSize(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return uint64_t(st.st_size);
}

int OpenWithoutWaiting(const std::string& path, int flags) {
  // O_NONBLOCK makes opening a pipe return at once instead of waiting for a writer; O_NOCTTY
  // keeps a terminal from becoming ours.
  const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st {};
  const int status = ::fcntl(fd, F_GETFL);
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || status < 0 ||
      ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
    ::close(fd);
    errno = EINVAL;
    return -1;
  }
  return fd;
}

int OpenRegularFile(const std::string& path, int flags) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return -1;
  if (!S_ISREG(st.st_mode)) {
    errno = EINVAL;
    return -1;
  }
  return OpenWithoutWaiting(path, flags);
}

bool ReadRegularFile(const std::string& path, std::vector<uint8_t>& bytes) {
  bytes.clear();
  const int fd = OpenRegularFile(path, O_RDONLY);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0;
  if (ok) {
    // A file that grows while it is read gives what it held when it was opened.
    try {
      bytes.resize(size_t(st.st_size));
    } catch (const std::bad_alloc&) {
      ok = false;
    }
  }
  if (ok) ok = ReadFully(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
  ::close(fd);
  if (!ok) bytes.clear();
  return ok;
}

bool CopyRegularFile(const std::string& from, const std::string& to) {
  const int in = OpenRegularFile(from, O_RDONLY);
  if (in < 0) return false;
  struct stat st {};
  ::unlink(to.c_str());
  const int out = ::fstat(in, &st) == 0
                      ? ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, st.st_mode & kCopiedPermissions)
                      : -1;
  bool ok = out >= 0 && ::fchmod(out, st.st_mode & kCopiedPermissions) == 0;
  std::vector<uint8_t> block(ok ? std::min<size_t>(kCopyBlock, size_t(st.st_size) + 1) : 0);
  while (ok) {
    const ssize_t got = ReadFully(in, block.data(), block.size());
    if (got <= 0) {
      ok = got == 0;
      break;
    }
    ok = WriteFully(out, block.data(), size_t(got));
  }
  if (out >= 0 && ::close(out) != 0) ok = false;
  ::close(in);
  if (!ok && out >= 0) ::unlink(to.c_str());
  return ok;
}

}  // namespace tarkel
