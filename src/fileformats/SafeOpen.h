#pragma once
// Opening a file without ever waiting on it: only regular files are opened. A named pipe, a
// device (/dev/zero, a terminal, a tape), a folder or a socket is refused before anything could
// block on it or read from it for ever. The check is made twice: on the name before opening,
// and on the opened descriptor (opened without blocking), so a file swapped for a pipe between
// the two is refused as well.
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarkel {

// Opens `path` (symbolic links followed) with `flags` (O_RDONLY or O_RDWR; O_CLOEXEC is added)
// when it is a regular file. Returns the descriptor, in blocking mode, or -1 (errno set; EINVAL
// for a file that is not a regular one).
int OpenRegularFile(const std::string& path, int flags);

// The second half of OpenRegularFile: opens without blocking, refuses what fstat does not call a
// regular file and then turns blocking mode back on. Exposed so the swapped-file case can be
// checked on its own.
int OpenWithoutWaiting(const std::string& path, int flags);

// The size of the regular file `path` (links followed), found without opening it; empty for
// anything else.
std::optional<uint64_t> RegularFileSize(const std::string& path);

// Reads the whole regular file `path` into `bytes`; false (and `bytes` empty) when it cannot be
// opened, is not a regular file or cannot be read completely.
bool ReadRegularFile(const std::string& path, std::vector<uint8_t>& bytes);

// Copies the regular file `from` to a new file `to` (replacing it), with the permission bits
// of `from`. False when `from` is not a regular file or anything fails; a partly written `to`
// is removed.
bool CopyRegularFile(const std::string& from, const std::string& to);

}  // namespace tarkel
