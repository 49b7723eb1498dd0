#pragma once
// Hard-disk editing: a RIFF WAVE file mapped read-write (shared), the sound's data being the
// file's own "data" chunk. Resizing moves the end of the file (room is reserved first, so a
// full disk is a message and never a fault on a page the disk could not hold); the header and
// the chunks after the data are written back by WriteHeader, which leaves the file a valid RIFF
// WAVE file whose "data" chunk holds exactly the samples.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sound/MappedSamples.h"

namespace tarkel {

class WaveAudio;
struct FileChunks;

// A chunk of the file before its data that the sound keeps (LIST, "cue ", ...): where its bytes
// stand, so that changes to it (cue points moving with an edit) are written in place.
struct PlacedChunk {
  std::array<uint8_t, 4> id{};
  uint64_t offset = 0;  // of the chunk's header
  uint32_t size = 0;
};

// Where the parts of the header stand in the file (byte offsets of chunk payloads).
struct HardDiskLayout {
  uint64_t dataOffset = 0;  // the first sample byte
  uint64_t formatOffset = 0;
  uint32_t formatSize = 0;
  uint64_t factOffset = 0;  // 0: the file has no "fact" chunk before its data
  std::vector<PlacedChunk> before;
};

class HardDiskMapping final : public MappedSamples {
 public:
  ~HardDiskMapping() override;
  HardDiskMapping(const HardDiskMapping&) = delete;
  HardDiskMapping& operator=(const HardDiskMapping&) = delete;

  // Opens `path` for reading and writing and maps it, the data being `dataBytes` from the
  // layout's data offset. Null after message 3008 when the file cannot be opened or mapped.
  static std::unique_ptr<HardDiskMapping> Open(const std::string& path, const HardDiskLayout& layout,
                                               uint32_t dataBytes);
  // The mapping of a sound in hard-disk mode; null for any other sound.
  static HardDiskMapping* Of(const WaveAudio& wave);

  uint8_t* Data() const override { return base_ + layout_.dataOffset; }
  uint8_t* Resize(uint32_t bytes) override;

  // Brings the header (RIFF size, format, "fact", data size) and the chunks after the data up
  // to date with `wave`, writing only what differs, and flushes the file to the disk. False
  // after message 3010 when the disk would not take it.
  bool WriteHeader(const WaveAudio& wave);
  // Whether another program cut the file short or removed it, or a page of the mapping was
  // lost to that: the document may then no longer change the file.
  bool Damaged() const;
  // Makes the data bytes [from, to) writable in one call before a change writes them, instead of
  // one write fault per page (costly after every flush has made the pages read-only again, and
  // more so in a virtual machine). Spans above a few MiB are left to the faults: the change's
  // own work outweighs them there, and a span that only may be written must not all be dirtied.
  void PrepareToWrite(uint32_t from, uint32_t to) const;

  const std::string& Path() const { return path_; }
  int Descriptor() const { return fd_; }
  const HardDiskLayout& Layout() const { return layout_; }
  uint32_t DataBytes() const { return dataBytes_; }
  // The file's length as this mapping keeps it (its data, pad byte and the chunks after it).
  uint64_t FileLength() const { return fileLength_; }
  // The lowest data size that the running change may shrink to (what its journal holds);
  // shrinking below it is refused. UINT32_MAX: no shrinking.
  void SetShrinkFloor(uint32_t bytes) { shrinkFloor_ = bytes; }
  // Set while a journalled change of the file runs.
  bool InChange() const { return inChange_; }
  void SetInChange(bool on) { inChange_ = on; }

 private:
  HardDiskMapping() = default;
  size_t MappedLength(uint32_t dataBytes) const { return size_t(layout_.dataOffset) + dataBytes; }
  bool Reserve(uint64_t length);
  bool Patch(uint64_t offset, const void* bytes, size_t n, bool& wrote);
  // Writes the kept chunks before the data in place where they still fit; the others are made
  // "JUNK" there and go to `moved`, to be written after the data.
  bool PatchChunksBefore(const FileChunks& kept, FileChunks& moved, bool& wrote);

  std::string path_;
  int fd_ = -1;
  uint8_t* base_ = nullptr;
  size_t mapped_ = 0;
  int guard_ = -1;
  HardDiskLayout layout_;
  uint32_t dataBytes_ = 0;
  uint64_t trailing_ = 0;  // bytes after the data in the file: pad byte and chunks
  uint64_t fileLength_ = 0;
  uint32_t shrinkFloor_ = 0;
  bool inChange_ = false;
};

// Finds the header layout of the RIFF WAVE file at `path` (a plain "RIFF" file, not RF64);
// false when it has none that hard-disk editing can keep.
bool FindHardDiskLayout(const std::string& path, HardDiskLayout& layout);
// In ReadWave at the "data" chunk of a sound in hard-disk mode: maps the file at the sound's
// file name. False after the mapping's message.
bool MapWaveData(WaveAudio& wave, uint64_t dataOffset, uint32_t dataBytes);
// The header of a hard-disk sound written in place; true for every other sound.
bool WriteHardDiskHeader(const WaveAudio& wave);

}  // namespace tarkel
