#pragma once
// The format converter that stands where the platform's audio compression manager stood:
// PCM 8 and 16 bits, mono and stereo, any sampling rate, in every direction. Channel and
// bit-depth conversion are done here; rate conversion goes through libsoxr at high quality and
// without dither, so that the same input always gives the same output.
#include <cstdint>
#include <functional>

#include "sound/WaveFormat.h"

namespace tarkel {

// The farthest apart two sampling rates may be for a conversion.
inline constexpr uint32_t kMaxRateRatio = 256;

class FormatConverter {
 public:
  FormatConverter() = default;

  // Prepares a conversion; 0, or msg::kAcmOpen when the converter cannot do it (a compressed
  // format, an unknown tag, a width other than 8 or 16 bits, a block alignment that does not
  // match the channels and width, a zero rate).
  int Open(const WaveFormat& from, const WaveFormat& to);

  // Exactly the number of bytes that Convert produces from `sourceBytes` (a trailing partial
  // frame of the source is ignored). May exceed 32 bits; callers check.
  uint64_t DestinationSize(uint32_t sourceBytes) const;

  // Converts `sourceBytes` of source data into `target`, which holds DestinationSize bytes.
  // False when the rate converter fails.
  bool Convert(const uint8_t* source, uint32_t sourceBytes, uint8_t* target) const;

  // Supplies the next source frames: up to `maxFrames` of them, in the source format; returns
  // where they stand (valid until the next call) and sets `frames` (0 at the end).
  using SourcePieces = std::function<const uint8_t*(uint64_t maxFrames, uint64_t& frames)>;
  // Converts `sourceFrames` frames that `pieces` supplies into `target`, which holds
  // DestinationSize of their bytes. False when the rate converter fails.
  bool ConvertPieces(const SourcePieces& pieces, uint64_t sourceFrames, uint8_t* target) const;

  // A conversion that would shrink the data loses information (the quality-loss question).
  bool Shrinks(uint32_t sourceBytes) const { return DestinationSize(sourceBytes) < sourceBytes; }

 private:
  bool ConvertSameRate(const SourcePieces& pieces, uint64_t frames, uint8_t* target) const;
  bool ConvertRate(const SourcePieces& pieces, uint64_t frames, uint8_t* target, uint64_t targetFrames) const;

  bool open_ = false;
  uint16_t fromChannels_ = 0, toChannels_ = 0;
  uint16_t fromBits_ = 0, toBits_ = 0;
  uint32_t fromRate_ = 0, toRate_ = 0;
  uint16_t fromAlign_ = 0, toAlign_ = 0;
};

}  // namespace tarkel
