#pragma once
// Writing a file so that the old one survives every failure: the bytes go to a temporary file
// beside the target (same folder, so the rename cannot cross file systems), which is flushed to
// the disk and renamed over the target only when everything was written. Until then the old
// file stays as it was, and a temporary file that is not committed is removed. The new file
// keeps the old one's owner, group and permission bits (see SaveTarget.h); a file with several
// hard links is replaced by a new file under this one name, the other names keep the old one.
#include <string>

#include "fileformats/ByteStream.h"

namespace tarkel {

enum class CommitResult { kDone, kFlushFailed, kRenameFailed };

class ReplacingFile {
 public:
  explicit ReplacingFile(const std::string& target);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Creates the temporary file (and removes those that killed saves of the same target left);
  // false when the folder does not exist or cannot be written, when the target exists and may
  // not be written, or when the links to it form a loop.
  bool Create();
  ByteSink& Sink() { return sink_; }
  // Flushes the temporary file, renames it over the target and flushes the folder.
  CommitResult Commit();

  const std::string& Target() const { return target_; }
  const std::string& TemporaryPath() const { return temporary_; }

 private:
  void RemoveTemporary();
  void ReleaseWriterLock();

  std::string target_;     // the file that is replaced (symbolic links followed)
  bool linkLoop_ = false;  // the links from the name given lead round in a circle
  std::string temporary_;  // empty when there is none
  int writerLock_ = -1;    // holds the temporary file's writer lock until the rename
  FileSink sink_;
};

// The folder part of `path` ("." for a bare name).
std::string FolderOf(const std::string& path);

}  // namespace tarkel
