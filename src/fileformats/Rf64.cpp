#include "fileformats/Rf64.h"

#include "sound/Bytes.h"

namespace tarkel {
namespace {

uint64_t GetLE64(const uint8_t* p) { return uint64_t(GetLE32(p)) | (uint64_t(GetLE32(p + 4)) << 32); }

}  // namespace

bool IsRf64Identifier(const uint8_t* id) { return HasTag(id, "RF64") || HasTag(id, "BW64"); }

bool ReadDs64(ByteSource& in, uint32_t chunkSize, Ds64Sizes& sizes) {
  uint8_t bytes[kDs64SizesBytes];
  if (chunkSize < kDs64SizesBytes || in.Read(bytes, sizeof bytes) != sizeof bytes) return false;
  sizes.riffSize = GetLE64(bytes);
  sizes.dataSize = GetLE64(bytes + 8);
  sizes.sampleCount = GetLE64(bytes + 16);
  return true;
}

}  // namespace tarkel
