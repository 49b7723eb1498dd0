#pragma once
// RF64 and BW64: RIFF WAVE files for recordings past 4 GB. Their "RIFF" is spelt "RF64" or
// "BW64" and the first sub-chunk, "ds64", holds the 64-bit sizes of the file and of the "data"
// chunk, whose own 32-bit size fields then read 0xFFFFFFFF.
#include <cstdint>

#include "fileformats/ByteStream.h"

namespace tarkel {

inline constexpr uint32_t kSizeInDs64 = 0xFFFFFFFF;  // a size field that points to "ds64"
inline constexpr uint32_t kDs64SizesBytes = 24;      // RIFF size, data size, sample count

struct Ds64Sizes {
  uint64_t riffSize = 0;
  uint64_t dataSize = 0;
  uint64_t sampleCount = 0;
};

// True for the form identifiers of the 64-bit variants.
bool IsRf64Identifier(const uint8_t* id);
// Reads the sizes at the current position of `in` (the data of a "ds64" chunk of `chunkSize`
// bytes); false when the chunk is too short or cut off.
bool ReadDs64(ByteSource& in, uint32_t chunkSize, Ds64Sizes& sizes);

}  // namespace tarkel
