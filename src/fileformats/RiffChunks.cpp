#include "fileformats/RiffChunks.h"

#include <algorithm>
#include <cstring>

#include "sound/Bytes.h"

namespace tarkel {

bool RiffChunk::Is(const char (&tag)[5]) const { return HasTag(id, tag); }

uint64_t RiffChunk::HeldSize(uint64_t walkEnd) const {
  if (dataOffset >= walkEnd) return 0;
  return std::min<uint64_t>(size, walkEnd - dataOffset);
}

bool IsRiffWave(ByteSource& in) {
  const uint64_t at = in.Tell();
  uint8_t head[kRiffHeaderSize];
  const bool ok = in.Seek(0) && in.Read(head, sizeof head) == sizeof head && HasTag(head, "RIFF") &&
                  HasTag(head + 8, "WAVE");
  in.Seek(at);
  return ok;
}

bool RiffWalker::Enter() {
  uint8_t head[kRiffHeaderSize];
  if (!in_.Seek(0) || in_.Read(head, sizeof head) != sizeof head) return false;
  if (!HasTag(head, "RIFF") || !HasTag(head + 8, "WAVE")) return false;
  const uint64_t riffEnd = uint64_t(kChunkHeaderSize) + GetLE32(head + 4);
  end_ = std::min(riffEnd, in_.Size());
  next_ = kRiffHeaderSize;
  return true;
}

bool RiffWalker::Next(RiffChunk& chunk) {
  if (next_ + kChunkHeaderSize > end_) return false;
  uint8_t head[kChunkHeaderSize];
  if (!in_.Seek(next_) || in_.Read(head, sizeof head) != sizeof head) return false;
  std::memcpy(chunk.id, head, 4);
  chunk.size = GetLE32(head + 4);
  chunk.dataOffset = next_ + kChunkHeaderSize;
  next_ = chunk.NextOffset();
  return true;
}

}  // namespace tarkel
