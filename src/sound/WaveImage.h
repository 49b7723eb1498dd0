#pragma once
// A complete canonical wave file in one heap block: the 44-byte header, the sample bytes and
// 218 spare bytes. Clipboard data, effect previews and played external blocks have this shape.
#include <cstdint>

#include "sound/SampleMemory.h"
#include "sound/WaveFormat.h"

namespace tarkel {

inline constexpr uint32_t kCanonicalHeaderSize = 44;
inline constexpr uint32_t kWaveImageSpare = 218;
inline constexpr uint32_t kWaveImageOverhead = kCanonicalHeaderSize + kWaveImageSpare;  // 262

// Writes the canonical 44-byte header: RIFF size = data bytes + 36, a 16-byte "fmt " chunk from
// the first 16 bytes of `format`, "data" with `dataBytes`.
void WriteCanonicalHeader(uint8_t* header, const WaveFormat& format, uint32_t dataBytes);
// `format` as it describes one channel of itself: 1 channel, half the alignment and rate of bytes.
WaveFormat SingleChannelOf(const WaveFormat& format);

class WaveImage {
 public:
  // Allocates room for `dataBytes` sample bytes (data bytes + 262); false on failure, keeping
  // the old block.
  bool Allocate(uint32_t dataBytes);
  // Grows or shrinks keeping the content; false on failure, keeping the old block.
  bool Reallocate(uint32_t dataBytes);
  void Free();

  bool Empty() const { return block_.Data() == nullptr; }
  uint8_t* Block() const { return block_.Data(); }
  uint32_t BlockSize() const { return uint32_t(block_.Size()); }
  uint8_t* Data() const { return block_.Data() ? block_.Data() + kCanonicalHeaderSize : nullptr; }
  uint32_t DataSize() const { return dataBytes_; }
  // The image as a wave file: header and samples, without the spare bytes.
  uint32_t ImageSize() const { return dataBytes_ + kCanonicalHeaderSize; }

  void WriteHeader(const WaveFormat& format) { WriteCanonicalHeader(block_.Data(), format, dataBytes_); }

 private:
  SampleMemory block_;
  uint32_t dataBytes_ = 0;
};

}  // namespace tarkel
