#include "fileformats/RiffChunks.h"

#include <algorithm>
#include <cstring>

#include "sound/Bytes.h"
#include "fileformats/Rf64.h"

namespace tarkel {

bool RiffChunk::Is(const char (&tag)[5]) const { return HasTag(id, tag); }

uint64_t RiffChunk::HeldSize(uint64_t walkEnd) const {
  if (dataOffset >= walkEnd) return 0;
  return std::min<uint64_t>(size, walkEnd - dataOffset);
}

bool IsRiffWave(ByteSource& in) {
  const uint64_t at = in.Tell();
  uint8_t head[kRiffHeaderSize];
  const bool ok = in.Seek(0) && in.Read(head, sizeof head) == sizeof head &&
                  (HasTag(head, "RIFF") || IsRf64Identifier(head)) && HasTag(head + 8, "WAVE");
  in.Seek(at);
  return ok;
}

bool RiffWalker::Enter() {
  uint8_t head[kRiffHeaderSize];
  if (!in_.Seek(0) || in_.Read(head, sizeof head) != sizeof head) return false;
  rf64_ = IsRf64Identifier(head);
  if ((!HasTag(head, "RIFF") && !rf64_) || !HasTag(head + 8, "WAVE")) return false;
  const uint32_t riffSize = GetLE32(head + 4);
  sizesUnknown_ = riffSize == 0;
  haveDs64_ = false;
  ds64DataSize_ = 0;
  const uint64_t riffEnd = uint64_t(kChunkHeaderSize) + riffSize;
  end_ = sizesUnknown_ || rf64_ ? in_.Size() : std::min(riffEnd, in_.Size());
  next_ = kRiffHeaderSize;
  return true;
}

void RiffWalker::TakeDs64(const RiffChunk& chunk) {
  Ds64Sizes sizes;
  if (!ReadDs64(in_, chunk.size, sizes)) return;
  haveDs64_ = true;
  ds64DataSize_ = sizes.dataSize;
  if (sizes.riffSize >= kRiffHeaderSize - kChunkHeaderSize)
    end_ = std::min<uint64_t>(kChunkHeaderSize + sizes.riffSize, in_.Size());
  in_.Seek(chunk.dataOffset);
}

void RiffWalker::SizeDataChunk(RiffChunk& chunk) const {
  uint64_t real = chunk.size;
  if (rf64_ && haveDs64_ && chunk.size == kSizeInDs64)
    real = ds64DataSize_;
  else if (sizesUnknown_ && chunk.size == 0)
    real = end_ > chunk.dataOffset ? end_ - chunk.dataOffset : 0;
  else
    return;
  // The sound in memory counts its bytes in 32 bits: a larger chunk is refused by the reader.
  chunk.oversized = real > UINT32_MAX - 1;
  chunk.size = chunk.oversized ? UINT32_MAX - 1 : uint32_t(real);
}

bool RiffWalker::Next(RiffChunk& chunk) {
  if (next_ + kChunkHeaderSize > end_) return false;
  uint8_t head[kChunkHeaderSize];
  if (!in_.Seek(next_) || in_.Read(head, sizeof head) != sizeof head) return false;
  std::memcpy(chunk.id, head, 4);
  chunk.size = GetLE32(head + 4);
  chunk.dataOffset = next_ + kChunkHeaderSize;
  chunk.oversized = false;
  if (rf64_ && chunk.Is("ds64")) TakeDs64(chunk);
  if (chunk.Is("data")) SizeDataChunk(chunk);
  next_ = chunk.NextOffset();
  return true;
}

}  // namespace tarkel
