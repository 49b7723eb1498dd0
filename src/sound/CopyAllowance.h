#pragma once
// Large working copies of sample data (the undo store's saved sound, a clipboard image) ask here
// before they allocate, so that a machine without the memory for them can be acted out: a test
// sets a ceiling, and every copy above it is refused as an allocation would be.
#include <cstdint>
#include <optional>

namespace tarkel {

// False when a copy of `bytes` must be taken as failed for want of memory.
bool CopyAllowed(uint64_t bytes);
// Copies above `ceiling` bytes are refused until the ceiling is lifted (nullopt).
void SetCopyCeiling(std::optional<uint64_t> ceiling);

// Sets a ceiling for the lifetime of the object and lifts it afterwards.
class CopyCeiling {
 public:
  explicit CopyCeiling(uint64_t ceiling) { SetCopyCeiling(ceiling); }
  ~CopyCeiling() { SetCopyCeiling(std::nullopt); }
  CopyCeiling(const CopyCeiling&) = delete;
  CopyCeiling& operator=(const CopyCeiling&) = delete;
};

}  // namespace tarkel
