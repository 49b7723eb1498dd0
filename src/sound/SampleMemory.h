#pragma once
// One contiguous block of sample bytes with realloc semantics. A failed (re)allocation leaves
// the old block, and its size, as they were.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <sys/mman.h>

namespace tarkel {

class SampleMemory {
 public:
  SampleMemory() = default;
  ~SampleMemory() { std::free(data_); }
  SampleMemory(const SampleMemory&) = delete;
  SampleMemory& operator=(const SampleMemory&) = delete;
  SampleMemory(SampleMemory&& other) noexcept : data_(other.data_), size_(other.size_) {
    other.data_ = nullptr;
    other.size_ = 0;
  }
  SampleMemory& operator=(SampleMemory&& other) noexcept {
    if (this != &other) {
      std::free(data_);
      data_ = other.data_;
      size_ = other.size_;
      other.data_ = nullptr;
      other.size_ = 0;
    }
    return *this;
  }

  uint8_t* Data() const { return data_; }
  size_t Size() const { return size_; }

  // Allocates a fresh block of `bytes` (content undefined), releasing the old one on success.
  bool Allocate(size_t bytes) {
    void* p = std::malloc(bytes ? bytes : 1);
    if (!p) return false;
    std::free(data_);
    data_ = static_cast<uint8_t*>(p);
    size_ = bytes;
    return true;
  }
  // Changes the size keeping the leading content (the block may move).
  bool Resize(size_t bytes) {
    void* p = std::realloc(data_, bytes ? bytes : 1);
    if (!p) return false;
    data_ = static_cast<uint8_t*>(p);
    size_ = bytes;
    return true;
  }
  void Release() {
    std::free(data_);
    data_ = nullptr;
    size_ = 0;
  }

  // Asks for huge pages behind a large block that is filled once and never resized (an undo
  // copy): filling it then takes a few hundred page faults instead of one for every 4 KiB.
  // Not for blocks that grow and shrink: resizing a huge-page block splits and rebuilds its
  // pages, which costs far more than the faults it saves.
  void AdviseHugePages() {
    constexpr uintptr_t kHuge = uintptr_t(2) << 20;
    if (size_ < 2 * kHuge) return;
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(data_) + kHuge - 1) & ~(kHuge - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(data_) + size_) & ~(kHuge - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
  }

 private:

  uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace tarkel
