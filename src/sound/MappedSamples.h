#pragma once
// Sample bytes that live outside the process heap: a window into a mapped sound file. The sound
// holds one while it edits its file in place; every change of size goes through it.
#include <cstdint>

namespace tarkel {

class MappedSamples {
 public:
  virtual ~MappedSamples() = default;
  // The first sample byte.
  virtual uint8_t* Data() const = 0;
  // Makes room for `bytes` sample bytes (the leading content kept); the new address of the first
  // sample, or null after the mapping's own message (the old bytes and size stay as they were).
  virtual uint8_t* Resize(uint32_t bytes) = 0;
};

}  // namespace tarkel
