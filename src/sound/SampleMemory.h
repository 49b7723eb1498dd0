#pragma once
// One contiguous block of sample bytes with realloc semantics. A failed (re)allocation leaves
// the old block, and its size, as they were.
//
// Large blocks are mappings of their own whose pages are all put in place when the block is made
// (MAP_POPULATE): a sound read from a file or an undo copy fills every byte at once, and on
// Linux one populate call costs a fraction of the 4 KiB page faults that filling fresh memory
// otherwise takes one by one. Resizing moves the mapping (mremap) without copying.
#include <cstddef>
#include <cstdint>

namespace tarkel {

class SampleMemory {
 public:
  // Blocks from this size up are populated mappings.
  static constexpr size_t kMappedFrom = size_t(16) << 20;

  SampleMemory() = default;
  ~SampleMemory() { Release(); }
  SampleMemory(const SampleMemory&) = delete;
  SampleMemory& operator=(const SampleMemory&) = delete;
  SampleMemory(SampleMemory&& other) noexcept { TakeFrom(other); }
  SampleMemory& operator=(SampleMemory&& other) noexcept {
    if (this != &other) {
      Release();
      TakeFrom(other);
    }
    return *this;
  }

  uint8_t* Data() const { return data_; }
  size_t Size() const { return size_; }

  // Allocates a fresh block of `bytes` (content undefined), releasing the old one on success.
  // Without `populate` a large block's pages come as they are first touched (a block that a
  // background read fills while the program goes on).
  bool Allocate(size_t bytes, bool populate = true);
  // Changes the size keeping the leading content (the block may move).
  bool Resize(size_t bytes);
  void Release();

  // Asks for huge pages behind a large block that is filled once and never resized (an undo
  // copy). Not for blocks that grow and shrink: resizing a huge-page block splits and rebuilds
  // its pages, which costs far more than the faults it saves.
  void AdviseHugePages();
  // Takes that advice back, over the whole mapping, so that its parts carry the same advice
  // again and the kernel joins them into one area (mremap, in Resize, takes only one area): for
  // an undo copy that becomes a sound's data.
  void WithdrawHugePageAdvice();

 private:
  void TakeFrom(SampleMemory& other) {
    data_ = other.data_;
    size_ = other.size_;
    mapped_ = other.mapped_;
    other.data_ = nullptr;
    other.size_ = 0;
    other.mapped_ = 0;
  }

  uint8_t* data_ = nullptr;
  size_t size_ = 0;
  size_t mapped_ = 0;  // bytes of the mapping when the block is one (page multiple), else 0
};

}  // namespace tarkel
