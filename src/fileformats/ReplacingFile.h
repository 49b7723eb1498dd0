#pragma once
// Writing a file so that the old one survives every failure: the bytes go to a temporary file
// beside the target (same folder, so the rename cannot cross file systems), which is flushed to
// the disk and renamed over the target only when everything was written. Until then the old
// file stays as it was, and a temporary file that is not committed is removed.
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

  // Creates the temporary file; false when the folder does not exist or cannot be written, or
  // when the target exists and may not be written.
  bool Create();
  ByteSink& Sink() { return sink_; }
  // Flushes the temporary file, renames it over the target and flushes the folder.
  CommitResult Commit();

  const std::string& Target() const { return target_; }
  const std::string& TemporaryPath() const { return temporary_; }

 private:
  void RemoveTemporary();

  std::string target_;     // the file that is replaced (symbolic links followed)
  std::string temporary_;  // empty when there is none
  FileSink sink_;
};

// The folder part of `path` ("." for a bare name).
std::string FolderOf(const std::string& path);

}  // namespace tarkel
