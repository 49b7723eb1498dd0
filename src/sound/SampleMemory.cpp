#include "sound/SampleMemory.h"

#include <cstdlib>
#include <cstring>

#include <sys/mman.h>
#include <unistd.h>

namespace tarkel {
namespace {

size_t PageRounded(size_t bytes) {
  const size_t page = size_t(::sysconf(_SC_PAGESIZE));
  return (bytes + page - 1) / page * page;
}

// A populated anonymous mapping of `length` bytes (a page multiple), or null.
uint8_t* MapPopulated(size_t length, bool populate = true) {
  const int flags = MAP_PRIVATE | MAP_ANONYMOUS | (populate ? MAP_POPULATE : 0);
  void* p = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, flags, -1, 0);
  return p == MAP_FAILED ? nullptr : static_cast<uint8_t*>(p);
}

}  // namespace

bool SampleMemory::Allocate(size_t bytes, bool populate) {
  if (bytes >= kMappedFrom) {
    const size_t length = PageRounded(bytes);
    uint8_t* p = MapPopulated(length, populate);
    if (!p) return false;
    Release();
    data_ = p;
    size_ = bytes;
    mapped_ = length;
    return true;
  }
  void* p = std::malloc(bytes ? bytes : 1);
  if (!p) return false;
  Release();
  data_ = static_cast<uint8_t*>(p);
  size_ = bytes;
  return true;
}

bool SampleMemory::Resize(size_t bytes) {
  if (!data_) return Allocate(bytes);
  if (mapped_) {
    const size_t length = PageRounded(bytes ? bytes : 1);
    void* p = ::mremap(data_, mapped_, length, MREMAP_MAYMOVE);
    if (p == MAP_FAILED) {
      // mremap takes only a mapping the kernel keeps as one area; otherwise the content moves.
      uint8_t* fresh = MapPopulated(length);
      if (!fresh) return false;
      std::memcpy(fresh, data_, size_ < bytes ? size_ : bytes);
      ::munmap(data_, mapped_);
      p = fresh;
    }
    data_ = static_cast<uint8_t*>(p);
    size_ = bytes;
    mapped_ = length;
    return true;
  }
  if (bytes >= kMappedFrom) {
    // Growing past the threshold: the content moves into a mapping once.
    const size_t length = PageRounded(bytes);
    uint8_t* p = MapPopulated(length);
    if (!p) return false;
    std::memcpy(p, data_, size_ < bytes ? size_ : bytes);
    std::free(data_);
    data_ = p;
    size_ = bytes;
    mapped_ = length;
    return true;
  }
  void* p = std::realloc(data_, bytes ? bytes : 1);
  if (!p) return false;
  data_ = static_cast<uint8_t*>(p);
  size_ = bytes;
  return true;
}

void SampleMemory::Release() {
  if (mapped_) ::munmap(data_, mapped_);
  else std::free(data_);
  data_ = nullptr;
  size_ = 0;
  mapped_ = 0;
}

void SampleMemory::AdviseHugePages() {
  constexpr uintptr_t kHuge = uintptr_t(2) << 20;
  if (size_ < 2 * kHuge) return;
  const uintptr_t begin = (reinterpret_cast<uintptr_t>(data_) + kHuge - 1) & ~(kHuge - 1);
  const uintptr_t end = (reinterpret_cast<uintptr_t>(data_) + size_) & ~(kHuge - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

void SampleMemory::WithdrawHugePageAdvice() {
  if (mapped_) ::madvise(data_, mapped_, MADV_NOHUGEPAGE);
}

}  // namespace tarkel
