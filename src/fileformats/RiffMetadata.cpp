#include "fileformats/RiffMetadata.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "sound/Bytes.h"

namespace tarkel {

bool IsWrittenChunk(const RiffChunk& chunk) {
  return chunk.Is("fmt ") || chunk.Is("fmt_") || chunk.Is("fact") || chunk.Is("data") || chunk.Is("ds64");
}

bool KeepChunk(FileChunks& kept, const RiffChunk& chunk, ByteSource& in, uint64_t walkEnd, bool afterData) {
  const uint64_t held = chunk.HeldSize(walkEnd);
  KeptChunk keep;
  std::memcpy(keep.id.data(), chunk.id, 4);
  keep.afterData = afterData;
  try {
    keep.bytes.resize(size_t(held));
    kept.chunks.push_back(std::move(keep));
  } catch (const std::bad_alloc&) {
    return false;
  }
  std::vector<uint8_t>& bytes = kept.chunks.back().bytes;
  const size_t got = in.Seek(chunk.dataOffset) ? in.Read(bytes.data(), bytes.size()) : 0;
  bytes.resize(got);  // a chunk cut off by the end of the file keeps what is there
  return true;
}

uint64_t KeptChunksBytes(const FileChunks& kept, bool afterData) {
  uint64_t total = 0;
  for (const KeptChunk& c : kept.chunks)
    if (c.afterData == afterData) total += kChunkHeaderSize + c.bytes.size() + (c.bytes.size() & 1u);
  return total;
}

void ForgetFormatChunks(FileChunks& kept) {
  std::erase_if(kept.chunks, [](const KeptChunk& c) { return std::memcmp(c.id.data(), "PEAK", 4) == 0; });
}

bool WriteKeptChunks(ByteSink& out, const FileChunks& kept, bool afterData) {
  static constexpr uint8_t kPad = 0;
  for (const KeptChunk& c : kept.chunks) {
    if (c.afterData != afterData) continue;
    if (c.bytes.size() > UINT32_MAX) return false;
    uint8_t head[kChunkHeaderSize];
    std::memcpy(head, c.id.data(), 4);
    PutLE32(head + 4, uint32_t(c.bytes.size()));
    if (!out.Write(head, sizeof head)) return false;
    if (!c.bytes.empty() && !out.Write(c.bytes.data(), c.bytes.size())) return false;
    if ((c.bytes.size() & 1u) && !out.Write(&kPad, 1)) return false;
  }
  return true;
}

}  // namespace tarkel
