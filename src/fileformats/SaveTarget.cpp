#include "fileformats/SaveTarget.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

#include "fileformats/FileNames.h"

namespace tarkel {
namespace {

// Linux follows at most 40 links in one path; a longer chain is taken for a loop.
constexpr int kMaxLinks = 40;
constexpr size_t kTemporaryNameKeep = 200;  // of the 255 bytes a file name may have
constexpr const char* kTemporaryMark = ".tarkel-save-";
constexpr mode_t kKeptPermissions = 0777;
// A temporary file is locked by its writer a moment after it is created; one younger than this
// whose writer still seems to run may be in that moment.
constexpr time_t kCreationGrace = 60;

// The name part of TemporaryPrefix: ".<name>.tarkel-save-", the name cut short enough to stay
// a legal file name with the number after it.
std::string TemporaryNamePrefix(const std::string& target) {
  std::string prefix(1, '.');
  prefix.append(target, FileNameStart(target), kTemporaryNameKeep);
  prefix.append(kTemporaryMark);
  return prefix;
}

std::optional<std::string> ReadLink(const std::string& path, const struct stat& st) {
  std::vector<char> target(size_t(st.st_size > 0 ? st.st_size : 255) + 1);
  for (;;) {
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0) return std::nullopt;
    if (size_t(n) < target.size()) return std::string(target.data(), size_t(n));
    target.resize(target.size() * 2);  // the link changed under us and grew
  }
}

// Whether the process `pid` is gone (a process of another user still counts as running).
bool ProcessIsGone(long pid) { return pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH; }

// The writer's process number from the part of a temporary name after the mark ("<pid>-<n>").
long WriterPid(const std::string& rest) {
  long pid = 0;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
  return error == std::errc() && end != rest.data() && *end == '-' ? pid : 0;
}

// Removes the temporary file `path` when no save holds it; the lock is kept until it is gone, so
// the name cannot be taken over in between.
void RemoveIfAbandoned(const std::string& path, long pid) {
  constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  int fd = ::open(path.c_str(), O_RDONLY | kFlags);
  if (fd < 0 && errno == EACCES) fd = ::open(path.c_str(), O_WRONLY | kFlags);  // a write-only file's copy
  if (fd < 0) return;
  struct stat st {};
  const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  const bool unlocked = regular && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  // Where the file system has no locks, only the writer's process number can tell.
  const bool noLocks = regular && !unlocked && errno != EWOULDBLOCK;
  // A writer that is gone cannot come back; one that runs (or a new process with its number)
  // had the time to lock its file.
  const bool abandoned = (unlocked && (ProcessIsGone(pid) || std::time(nullptr) - st.st_ctime > kCreationGrace)) ||
                         (noLocks && ProcessIsGone(pid));
  if (abandoned) ::unlink(path.c_str());
  ::close(fd);
}

}  // namespace

std::optional<std::string> FollowLinks(const std::string& path) {
  std::string current = path;
  for (int hop = 0; hop <= kMaxLinks; ++hop) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0) {
      // A name that does not exist is the file to create; a loop among the folders is a loop;
      // anything else is reported when the file is created.
      if (errno == ELOOP) return std::nullopt;
      return current;
    }
    if (!S_ISLNK(st.st_mode)) return current;
    const std::optional<std::string> target = ReadLink(current, st);
    if (!target || target->empty()) return std::nullopt;
    // A relative link counts from the folder that holds it.
    const size_t nameStart = FileNameStart(current);
    current = (*target)[0] == '/' ? *target : current.substr(0, nameStart) + *target;
  }
  return std::nullopt;
}

std::string TemporaryPrefix(const std::string& target) {
  return target.substr(0, FileNameStart(target)) + TemporaryNamePrefix(target);
}

bool LockAsWriter(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB) == 0; }

void RemoveStaleTemporaries(const std::string& target) {
  const std::string folder = target.substr(0, FileNameStart(target));
  const std::string prefix = TemporaryNamePrefix(target);
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()), &::closedir);
  if (!dir) return;
  std::vector<std::string> found;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string name = entry->d_name;
    if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0) found.push_back(name);
  }
  for (const std::string& name : found) RemoveIfAbandoned(folder + name, WriterPid(name.substr(prefix.size())));
}

void TakeOverOwnerAndMode(int fd, const struct stat& old) {
  struct stat now {};
  if (::fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid)) {
    // Only root may give a file away; a user who is in the old group can at least keep that.
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, uid_t(-1), old.st_gid);
  }
  (void)::fchmod(fd, old.st_mode & kKeptPermissions);
}

void TakeOverExtendedAttributes(int fd, const std::string& old) {
  std::vector<char> names(4096);
  ssize_t length = 0;
  while ((length = ::listxattr(old.c_str(), names.data(), names.size())) < 0 && errno == ERANGE) {
    const ssize_t needed = ::listxattr(old.c_str(), nullptr, 0);
    if (needed <= 0) return;
    names.resize(size_t(needed));
  }
  if (length <= 0) return;
  std::vector<char> value;
  for (const char* name = names.data(); name < names.data() + length; name += std::strlen(name) + 1) {
    // Capabilities grant rights to a program's contents, like setuid: new contents get none.
    if (std::strcmp(name, "security.capability") == 0) continue;
    const ssize_t size = ::getxattr(old.c_str(), name, nullptr, 0);
    if (size < 0) continue;
    value.resize(size_t(size));
    if (size > 0 && ::getxattr(old.c_str(), name, value.data(), value.size()) != size) continue;
    // An attribute the file system or the user's rights refuse (a security label, another
    // user's ACL) stays behind; the save goes on.
    (void)::fsetxattr(fd, name, value.data(), value.size(), 0);
  }
}

}  // namespace tarkel
