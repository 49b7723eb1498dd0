#pragma once
// How the region manager gets the open document of a sound file named in a cue file. The shell
// reuses an open document of that file or opens a new window; tarkel-cli keeps its own.
#include <string>

namespace tarkel {

class CTarkelDoc;

class DocumentOpener {
 public:
  virtual ~DocumentOpener() = default;
  // The open document of the file at `path`, opened now if no open one shows it; null when it
  // cannot be opened. Shows no message: regions of a missing sound are dropped silently.
  virtual CTarkelDoc* OpenDocument(const std::string& path) = 0;
};

}  // namespace tarkel
