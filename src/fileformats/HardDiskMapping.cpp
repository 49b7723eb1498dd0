#include "fileformats/HardDiskMapping.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "sound/Bytes.h"
#include "sound/MappingGuard.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "sound/WaveAudio.h"
#include "fileformats/ByteStream.h"
#include "fileformats/HeldFormat.h"
#include "fileformats/RiffChunks.h"
#include "fileformats/RiffMetadata.h"

namespace tarkel {
namespace {

constexpr uint64_t kLargestRiffFile = uint64_t(UINT32_MAX) + kChunkHeaderSize;

// The value of the "fact" chunk for the whole sound, as the writer would store it.
uint32_t FactValue(const WaveAudio& wave) {
  if (IsBlockedFormat(wave.Format()) && wave.Chunks().factSamples) return *wave.Chunks().factSamples;
  return wave.Frames();
}

}  // namespace

bool FindHardDiskLayout(const std::string& path, HardDiskLayout& layout) {
  FileSource in;
  uint8_t head[4];
  if (!in.Open(path) || in.Read(head, sizeof head) != sizeof head || !HasTag(head, "RIFF")) return false;
  RiffWalker walk(in);
  if (!walk.Enter()) return false;
  layout = HardDiskLayout();
  RiffChunk chunk;
  while (walk.Next(chunk)) {
    if ((chunk.Is("fmt ") || chunk.Is("fmt_")) && layout.formatOffset == 0) {
      layout.formatOffset = chunk.dataOffset;
      layout.formatSize = chunk.size;
    } else if (chunk.Is("fact") && chunk.size >= 4 && layout.factOffset == 0) {
      layout.factOffset = chunk.dataOffset;
    } else if (chunk.Is("data")) {
      layout.dataOffset = chunk.dataOffset;
      // Samples are read as 16-bit words in place: their offset must be even.
      return layout.formatOffset != 0 && !chunk.oversized && layout.dataOffset % 2 == 0;
    } else if (!IsWrittenChunk(chunk)) {
      PlacedChunk placed;
      std::memcpy(placed.id.data(), chunk.id, 4);
      placed.offset = chunk.dataOffset - kChunkHeaderSize;
      placed.size = chunk.size;
      layout.before.push_back(placed);
    }
  }
  return false;
}

HardDiskMapping::~HardDiskMapping() {
  UnguardMapping(guard_);
  if (base_) ::munmap(base_, mapped_);
  if (fd_ >= 0) ::close(fd_);
}

std::unique_ptr<HardDiskMapping> HardDiskMapping::Open(const std::string& path, const HardDiskLayout& layout,
                                                       uint32_t dataBytes) {
  std::unique_ptr<HardDiskMapping> m(new HardDiskMapping());
  m->path_ = path;
  m->layout_ = layout;
  m->dataBytes_ = dataBytes;
  m->fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  struct stat st {};
  // Not shared: a second editor of the same file is refused.
  if (m->fd_ < 0 || ::flock(m->fd_, LOCK_EX | LOCK_NB) != 0 || ::fstat(m->fd_, &st) != 0 ||
      uint64_t(st.st_size) < layout.dataOffset + dataBytes) {
    ShowMessage(msg::kDateiMapping);
    return nullptr;
  }
  m->fileLength_ = uint64_t(st.st_size);
  m->trailing_ = m->fileLength_ - layout.dataOffset - dataBytes;
  m->mapped_ = m->MappedLength(dataBytes);
  void* base = ::mmap(nullptr, m->mapped_, PROT_READ | PROT_WRITE, MAP_SHARED, m->fd_, 0);
  if (base == MAP_FAILED) {
    ShowMessage(msg::kDateiMapping);
    return nullptr;
  }
  m->base_ = static_cast<uint8_t*>(base);
  m->guard_ = GuardMapping(base, m->mapped_);
  return m;
}

HardDiskMapping* HardDiskMapping::Of(const WaveAudio& wave) {
  return wave.IsHardDisk() ? dynamic_cast<HardDiskMapping*>(wave.Mapped()) : nullptr;
}

bool HardDiskMapping::Damaged() const {
  if (GuardedMappingLostPage(guard_)) return true;
  struct stat st {};
  return ::fstat(fd_, &st) != 0 || st.st_nlink == 0 || uint64_t(st.st_size) < layout_.dataOffset + dataBytes_;
}

void HardDiskMapping::PrepareToWrite(uint32_t from, uint32_t to) const {
  constexpr uint32_t kLargestPrepared = 16u << 20;
  if (to <= from || to - from > kLargestPrepared || to > dataBytes_) return;
  const uintptr_t page = uintptr_t(::sysconf(_SC_PAGESIZE));
  const uintptr_t first = uintptr_t(Data() + from) & ~(page - 1);
  const uintptr_t end = uintptr_t(Data() + to);
  // Only an optimisation: a kernel without the advice, or a file cut short, leaves the faults.
  (void)::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
}

// Room on the disk for a file of `length` bytes, so that no page of the mapping can fail to be
// written back later.
bool HardDiskMapping::Reserve(uint64_t length) {
  if (length <= fileLength_) return true;
  if (::posix_fallocate(fd_, off_t(fileLength_), off_t(length - fileLength_)) != 0) return false;
  fileLength_ = length;
  return true;
}

uint8_t* HardDiskMapping::Resize(uint32_t bytes) {
  if (Damaged()) {
    ShowMessage(msg::kFileChangedOutside);
    return nullptr;
  }
  // The running change's journal cannot give back bytes it does not hold.
  if (bytes < dataBytes_ && bytes < shrinkFloor_) {
    ShowMessage(msg::kFileMappingError);
    return nullptr;
  }
  const uint64_t length = layout_.dataOffset + uint64_t(bytes) + 1 + trailing_;
  if (length > kLargestRiffFile || !Reserve(length)) {
    ShowMessage(msg::kFileMappingError);
    return nullptr;
  }
  const size_t wanted = MappedLength(bytes);
  void* moved = ::mremap(base_, mapped_, wanted, MREMAP_MAYMOVE);
  if (moved == MAP_FAILED) {
    ShowMessage(msg::kFileMappingError);
    return nullptr;
  }
  base_ = static_cast<uint8_t*>(moved);
  mapped_ = wanted;
  MoveGuardedMapping(guard_, base_, mapped_);
  dataBytes_ = bytes;
  return Data();
}

bool HardDiskMapping::Patch(uint64_t offset, const void* bytes, size_t n, bool& wrote) {
  if (n == 0) return true;
  std::vector<uint8_t> now(n);
  const ssize_t got = ::pread(fd_, now.data(), n, off_t(offset));
  if (got == ssize_t(n) && std::memcmp(now.data(), bytes, n) == 0) return true;
  if (::pwrite(fd_, bytes, n, off_t(offset)) != ssize_t(n)) return false;
  wrote = true;
  return true;
}

bool HardDiskMapping::PatchChunksBefore(const FileChunks& kept, FileChunks& moved, bool& wrote) {
  std::vector<PlacedChunk> stay;
  size_t placed = 0;
  for (const KeptChunk& c : kept.chunks) {
    if (c.afterData) continue;
    const PlacedChunk* at = placed < layout_.before.size() ? &layout_.before[placed] : nullptr;
    if (at && at->id == c.id && at->size == c.bytes.size()) {
      if (!Patch(at->offset + kChunkHeaderSize, c.bytes.data(), c.bytes.size(), wrote)) return false;
      stay.push_back(*at);
      ++placed;
      continue;
    }
    if (at) {
      // The chunk changed its size: its old place is left as padding.
      if (!Patch(at->offset, "JUNK", 4, wrote)) return false;
      ++placed;
    }
    KeptChunk after = c;
    after.afterData = true;
    moved.chunks.push_back(std::move(after));
  }
  for (; placed < layout_.before.size(); ++placed)
    if (!Patch(layout_.before[placed].offset, "JUNK", 4, wrote)) return false;
  layout_.before = std::move(stay);
  return true;
}

bool HardDiskMapping::WriteHeader(const WaveAudio& wave) {
  if (Damaged()) return false;  // the file is no longer ours to put right
  const uint32_t size = dataBytes_;
  bool wrote = false;
  FileChunks moved;
  if (!PatchChunksBefore(wave.Chunks(), moved, wrote)) {
    ShowMessage(msg::kWriteOutOfSpace);
    return false;
  }
  MemorySink after;
  static constexpr uint8_t kPad = 0;
  if ((size & 1u) && !after.Write(&kPad, 1)) return false;
  if (!WriteKeptChunks(after, wave.Chunks(), true) || !WriteKeptChunks(after, moved, true)) return false;
  const uint64_t end = layout_.dataOffset + size + after.Bytes().size();
  if (end > kLargestRiffFile || !Reserve(end)) {
    ShowMessage(msg::kWriteOutOfSpace);
    return false;
  }
  uint8_t riffSize[4], dataSize[4], fact[4];
  PutLE32(riffSize, uint32_t(end - kChunkHeaderSize));
  PutLE32(dataSize, size);
  PutLE32(fact, FactValue(wave));
  const size_t formatBytes = std::min<size_t>(layout_.formatSize, kFormatBlockSize);
  bool ok = Patch(layout_.dataOffset + size, after.Bytes().data(), after.Bytes().size(), wrote) &&
            Patch(4, riffSize, 4, wrote) && Patch(layout_.dataOffset - 4, dataSize, 4, wrote) &&
            Patch(layout_.formatOffset, wave.Format().Data(), formatBytes, wrote) &&
            (layout_.factOffset == 0 || Patch(layout_.factOffset, fact, 4, wrote));
  if (ok && fileLength_ != end) {
    ok = ::ftruncate(fd_, off_t(end)) == 0;
    if (ok) fileLength_ = end;
  }
  trailing_ = after.Bytes().size();
  if (ok) ok = ::fdatasync(fd_) == 0;
  if (!ok) ShowMessage(msg::kWriteOutOfSpace);
  return ok;
}

bool MapWaveData(WaveAudio& wave, uint64_t dataOffset, uint32_t dataBytes) {
  HardDiskLayout layout;
  if (!FindHardDiskLayout(wave.FileName(), layout) || layout.dataOffset != dataOffset) {
    ShowMessage(msg::kDateiMapping);
    return false;
  }
  std::unique_ptr<HardDiskMapping> mapping = HardDiskMapping::Open(wave.FileName(), layout, dataBytes);
  if (!mapping) return false;
  wave.AdoptMapped(std::move(mapping), dataBytes, int32_t(dataOffset));
  return true;
}

bool WriteHardDiskHeader(const WaveAudio& wave) {
  HardDiskMapping* mapping = HardDiskMapping::Of(wave);
  return !mapping || mapping->WriteHeader(wave);
}

}  // namespace tarkel
