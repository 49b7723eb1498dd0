#pragma once
// Walking the chunks of a RIFF file over a ByteSource. Every chunk header is checked against
// the bytes that the source holds: a walk never leaves the RIFF chunk nor the source, however
// the sizes in the file lie.
#include <cstdint>

#include "fileformats/ByteStream.h"

namespace tarkel {

inline constexpr uint32_t kChunkHeaderSize = 8;  // identifier + 32-bit size
inline constexpr uint32_t kRiffHeaderSize = 12;  // "RIFF", size, form type

struct RiffChunk {
  uint8_t id[4] = {};
  uint32_t size = 0;         // as the file says
  uint64_t dataOffset = 0;   // first byte after the chunk header
  // A "data" chunk whose real size (from "ds64", or to the end of a file whose sizes were never
  // filled in) does not fit the 32-bit counts of the sound in memory.
  bool oversized = false;
  bool Is(const char (&tag)[5]) const;
  // The data bytes that the source really holds (the size, cut at the end of the walk).
  uint64_t HeldSize(uint64_t walkEnd) const;
  // Where the next chunk starts: after the data and the pad byte of an odd size.
  uint64_t NextOffset() const { return dataOffset + size + (size & 1u); }
};

// True when the first 12 bytes of `in` are a "RIFF" (or RF64, BW64) chunk of form "WAVE"
// (position unchanged on return).
bool IsRiffWave(ByteSource& in);

// The sub-chunks of the "RIFF"/"WAVE" chunk in file order.
class RiffWalker {
 public:
  explicit RiffWalker(ByteSource& in) : in_(in) {}
  // Enters the "RIFF"/"WAVE" chunk from the start of the source; false when there is none. A
  // RIFF size of 0 (a recorder that was cut off) or one past the source reaches to its end; an
  // RF64 file takes its sizes from its "ds64" chunk.
  bool Enter();
  // Reads the next sub-chunk header and leaves the position at its data; false at the end.
  bool Next(RiffChunk& chunk);
  // The end of the walk: the end of the RIFF chunk or of the source, whichever comes first.
  uint64_t End() const { return end_; }

 private:
  // Takes the 64-bit sizes of an RF64 file from its "ds64" chunk.
  void TakeDs64(const RiffChunk& chunk);
  // The real size of a "data" chunk whose size field could not hold it.
  void SizeDataChunk(RiffChunk& chunk) const;

  ByteSource& in_;
  uint64_t next_ = 0;
  uint64_t end_ = 0;
  bool rf64_ = false;
  bool sizesUnknown_ = false;  // the RIFF size field was 0
  bool haveDs64_ = false;
  uint64_t ds64DataSize_ = 0;
};

}  // namespace tarkel
