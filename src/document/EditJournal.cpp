#include "document/EditJournal.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "sound/Bytes.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "sound/WaveAudio.h"
#include "document/CTarkelDoc.h"
#include "fileformats/FileNames.h"
#include "fileformats/HardDiskMapping.h"

namespace tarkel {
namespace {

// Layout of a journal (little-endian):
//   "TKJ1", u64 length of the file before the change, u32 number of segments,
//   per segment: u64 file offset, u64 length, the bytes;
//   trailer: "TKJE", u64 bytes before the trailer, u64 checksum of those bytes.
// A journal whose trailer is missing or does not match was cut off while it was written.
constexpr char kMagic[5] = "TKJ1";
constexpr char kTrailerMagic[5] = "TKJE";
constexpr size_t kHeadSize = 4 + 8 + 4;
constexpr size_t kSegmentHeadSize = 8 + 8;
constexpr size_t kTrailerSize = 4 + 8 + 8;
constexpr size_t kBlock = size_t(1) << 20;
constexpr const char* kJournalSuffix = ".tarkel-journal";

void PutLE64(uint8_t* p, uint64_t v) {
  PutLE32(p, uint32_t(v));
  PutLE32(p + 4, uint32_t(v >> 32));
}
uint64_t GetLE64(const uint8_t* p) { return uint64_t(GetLE32(p)) | (uint64_t(GetLE32(p + 4)) << 32); }

// A 64-bit checksum of a byte stream that does not depend on how the stream is cut into pieces.
// Four independent lanes over 32-byte blocks keep the multiplier busy.
class StreamHash {
 public:
  void Add(const uint8_t* p, size_t n) {
    total_ += n;
    while (n) {
      if (have_ == 0 && n >= kBlockBytes) {
        MixBlock(p);
        p += kBlockBytes;
        n -= kBlockBytes;
        continue;
      }
      const size_t take = std::min(n, kBlockBytes - have_);
      std::memcpy(carry_ + have_, p, take);
      have_ += take;
      p += take;
      n -= take;
      if (have_ == kBlockBytes) {
        MixBlock(carry_);
        have_ = 0;
      }
    }
  }
  uint64_t Final() {
    std::memset(carry_ + have_, 0, kBlockBytes - have_);
    MixBlock(carry_);
    uint64_t h = total_;
    for (uint64_t lane : lanes_) h = Mix(h, lane);
    return h;
  }

 private:
  static constexpr size_t kBlockBytes = 32;
  static uint64_t Mix(uint64_t h, uint64_t w) {
    h = (h ^ w) * 0x9E3779B97F4A7C15ull;
    return h ^ (h >> 31);
  }
  void MixBlock(const uint8_t* p) {
    for (int k = 0; k < 4; ++k) {
      uint64_t w;
      std::memcpy(&w, p + 8 * k, 8);
      lanes_[k] = Mix(lanes_[k], w);
    }
  }
  uint64_t lanes_[4] = {0xCBF29CE484222325ull, 0x84222325CBF29CE4ull, 0x9E3779B97F4A7C15ull, 0x7F4A7C159E3779B9ull};
  uint64_t total_ = 0;
  uint8_t carry_[kBlockBytes] = {};
  size_t have_ = 0;
};

bool WriteAll(int fd, const uint8_t* p, size_t n, StreamHash& hash) {
  hash.Add(p, n);
  while (n) {
    const ssize_t put = ::write(fd, p, std::min(n, kBlock));
    if (put <= 0) return false;
    p += put;
    n -= size_t(put);
  }
  return true;
}

bool ReadAll(int fd, uint8_t* p, size_t n, uint64_t offset) {
  while (n) {
    const ssize_t got = ::pread(fd, p, n, off_t(offset));
    if (got <= 0) return false;
    p += got;
    n -= size_t(got);
    offset += uint64_t(got);
  }
  return true;
}

// Flushes the entries of the folder that holds `path` (a journal created or removed).
void SyncFolderOf(const std::string& path) {
  const size_t start = FileNameStart(path);
  const std::string folder = start == 0 ? "." : path.substr(0, start);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

void RemoveJournal(const std::string& journal) {
  if (::unlink(journal.c_str()) == 0) SyncFolderOf(journal);
}

// One part of the file to be saved: from the file itself (pread) or from the mapping.
struct Segment {
  uint64_t offset = 0;
  uint64_t length = 0;
  const uint8_t* mapped = nullptr;  // null: read from the file
};

bool WriteSegment(int out, int file, const Segment& s, StreamHash& hash) {
  uint8_t head[kSegmentHeadSize];
  PutLE64(head, s.offset);
  PutLE64(head + 8, s.length);
  if (!WriteAll(out, head, sizeof head, hash)) return false;
  if (s.mapped) return WriteAll(out, s.mapped, size_t(s.length), hash);
  std::vector<uint8_t> block(size_t(std::min<uint64_t>(s.length, kBlock)));
  for (uint64_t done = 0; done < s.length;) {
    const size_t n = size_t(std::min<uint64_t>(s.length - done, kBlock));
    if (!ReadAll(file, block.data(), n, s.offset + done) || !WriteAll(out, block.data(), n, hash)) return false;
    done += n;
  }
  return true;
}

// Writes the journal of `segments` and flushes it and its folder.
bool WriteJournal(const std::string& journal, int file, uint64_t fileLength, const std::vector<Segment>& segments) {
  const int out = ::open(journal.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (out < 0) return false;
  StreamHash hash;
  uint8_t head[kHeadSize];
  std::memcpy(head, kMagic, 4);
  PutLE64(head + 4, fileLength);
  PutLE32(head + 12, uint32_t(segments.size()));
  uint64_t written = sizeof head;
  bool ok = WriteAll(out, head, sizeof head, hash);
  for (const Segment& s : segments) {
    ok = ok && WriteSegment(out, file, s, hash);
    written += kSegmentHeadSize + s.length;
  }
  uint8_t trailer[kTrailerSize];
  std::memcpy(trailer, kTrailerMagic, 4);
  PutLE64(trailer + 4, written);
  PutLE64(trailer + 12, hash.Final());
  StreamHash unused;
  ok = ok && WriteAll(out, trailer, sizeof trailer, unused) && ::fsync(out) == 0;
  ok = ::close(out) == 0 && ok;
  if (!ok) {
    ::unlink(journal.c_str());
    return false;
  }
  SyncFolderOf(journal);
  return true;
}

// Whether the journal open as `fd` (`size` bytes) was written completely.
bool JournalComplete(int fd, uint64_t size) {
  if (size < kHeadSize + kTrailerSize) return false;
  uint8_t trailer[kTrailerSize];
  if (!ReadAll(fd, trailer, sizeof trailer, size - kTrailerSize) || !HasTag(trailer, "TKJE") ||
      GetLE64(trailer + 4) != size - kTrailerSize)
    return false;
  StreamHash hash;
  std::vector<uint8_t> block(kBlock);
  const uint64_t body = size - kTrailerSize;
  for (uint64_t done = 0; done < body;) {
    const size_t n = size_t(std::min<uint64_t>(body - done, kBlock));
    if (!ReadAll(fd, block.data(), n, done)) return false;
    hash.Add(block.data(), n);
    done += n;
  }
  return hash.Final() == GetLE64(trailer + 12);
}

// Puts the journal's length and segments back into the file. Doing it twice does no harm, so a
// recovery cut off by another crash is simply done again.
bool ApplyJournal(int journal, uint64_t size, int file) {
  uint8_t head[kHeadSize];
  if (!ReadAll(journal, head, sizeof head, 0) || !HasTag(head, "TKJ1")) return false;
  bool ok = ::ftruncate(file, off_t(GetLE64(head + 4))) == 0;
  const uint64_t body = size - kTrailerSize;
  uint64_t at = sizeof head;
  std::vector<uint8_t> block(kBlock);
  for (uint32_t i = 0, n = GetLE32(head + 12); ok && i < n; ++i) {
    uint8_t seg[kSegmentHeadSize];
    ok = at + sizeof seg <= body && ReadAll(journal, seg, sizeof seg, at);
    const uint64_t offset = GetLE64(seg), length = GetLE64(seg + 8);
    at += sizeof seg;
    ok = ok && length <= body - at;
    for (uint64_t done = 0; ok && done < length;) {
      const size_t step = size_t(std::min<uint64_t>(length - done, kBlock));
      ok = ReadAll(journal, block.data(), step, at + done) &&
           ::pwrite(file, block.data(), step, off_t(offset + done)) == ssize_t(step);
      done += step;
    }
    at += length;
  }
  return ok && ::fsync(file) == 0;
}

}  // namespace

std::string JournalPathFor(const std::string& soundPath) {
  const size_t start = FileNameStart(soundPath);
  return soundPath.substr(0, start) + "." + soundPath.substr(start) + kJournalSuffix;
}

JournalRecovery RecoverFromJournal(const std::string& soundPath) {
  const std::string journal = JournalPathFor(soundPath);
  const int fd = ::open(journal.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return JournalRecovery::None;
  // The editor that changes the file in place holds its lock: its journal belongs to a change
  // that is still running, not to one that was cut off.
  const int file = ::open(soundPath.c_str(), O_RDWR | O_CLOEXEC);
  if (file >= 0 && ::flock(file, LOCK_EX | LOCK_NB) != 0) {
    ::close(file);
    ::close(fd);
    return JournalRecovery::None;
  }
  struct stat st {};
  const uint64_t size = ::fstat(fd, &st) == 0 ? uint64_t(st.st_size) : 0;
  JournalRecovery result;
  if (!JournalComplete(fd, size))
    result = JournalRecovery::Dropped;  // cut off before the change could start
  else
    result = file >= 0 && ApplyJournal(fd, size, file) ? JournalRecovery::Restored : JournalRecovery::Failed;
  if (file >= 0) ::close(file);
  ::close(fd);
  if (result != JournalRecovery::Failed) RemoveJournal(journal);
  return result;
}

JournalSpan JournalSpanOf(UndoKind kind, uint32_t start, uint32_t end, uint32_t aux, uint32_t dataSize) {
  start = std::min(start, dataSize);
  switch (kind) {
    case UndoKind::Replacement: return {start, std::min(std::max(start, end), dataSize)};
    case UndoKind::Removal:
    case UndoKind::Insertion: return {start, dataSize};
    case UndoKind::MoveCopy: {
      // A move touches everything from its lower end on; its reversal may start lower still.
      const uint64_t shifted = uint64_t(start) + aux > end ? uint64_t(start) + aux - end : 0;
      const uint64_t low = std::min<uint64_t>({start, aux, shifted});
      return {uint32_t(std::min<uint64_t>(low, dataSize)), dataSize};
    }
    case UndoKind::Trim:
    case UndoKind::Snapshot: break;  // the whole sound
  }
  return {0, dataSize};
}

JournalSpan JournalSpanOf(const UndoRequest& undo, uint32_t dataSize) {
  if (!undo.take) return {0, dataSize};
  return JournalSpanOf(undo.kind, undo.startByte, undo.endByte, undo.auxPosition, dataSize);
}

JournalSpan JournalSpanOfLength(uint32_t bytes, uint32_t dataSize) { return {std::min(bytes, dataSize), dataSize}; }

bool InPlaceChange::Begin() {
  HardDiskMapping* mapping = HardDiskMapping::Of(wave_);
  if (!mapping || mapping->InChange()) return true;  // in memory, or covered by an outer change
  if (mapping->Damaged()) {
    ShowMessage(msg::kFileChangedOutside);
    return false;
  }
  struct stat st {};
  if (::fstat(mapping->Descriptor(), &st) != 0) {
    ShowMessage(msg::kFileChangedOutside);
    return false;
  }
  const uint64_t fileLength = uint64_t(st.st_size);
  const uint64_t dataOffset = mapping->Layout().dataOffset;
  const uint32_t size = mapping->DataBytes();
  const JournalSpan span{std::min(span_.from, size), std::min(std::max(span_.from, span_.to), size)};
  const uint64_t dataEnd = dataOffset + size;
  const std::vector<Segment> segments = {
      {0, dataOffset, nullptr},                                              // the header
      {dataOffset + span.from, span.to - span.from, mapping->Data() + span.from},  // the bytes the change alters
      {dataEnd, fileLength > dataEnd ? fileLength - dataEnd : 0, nullptr},    // pad byte and chunks after the data
  };
  if (!WriteJournal(JournalPathFor(mapping->Path()), mapping->Descriptor(), fileLength, segments)) {
    ShowMessage(msg::kWriteOutOfSpace);
    return false;
  }
  // Shrinking is safe only down to where the journal's copy starts, and only when it reaches
  // the end of the data.
  mapping->SetShrinkFloor(span.to == size ? span.from : size);
  mapping->PrepareToWrite(span.from, span.to);
  mapping->SetInChange(true);
  active_ = true;
  return true;
}

bool InPlaceChange::Finish() {
  if (!active_) return true;
  active_ = false;
  HardDiskMapping* mapping = HardDiskMapping::Of(wave_);
  if (!mapping) return false;
  mapping->SetInChange(false);
  mapping->SetShrinkFloor(0);
  const std::string journal = JournalPathFor(mapping->Path());
  if (mapping->Damaged()) {
    // Another program cut the file short under the change: what it left is its own.
    RemoveJournal(journal);
    ShowMessage(msg::kFileChangedOutside);
    return false;
  }
  // A header that could not be written leaves the journal for the next open to undo the change.
  if (!mapping->WriteHeader(wave_)) return false;
  RemoveJournal(journal);
  return true;
}

}  // namespace tarkel
