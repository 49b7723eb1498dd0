#pragma once
// The format block of a sound: a WAVEFORMATEX record (18 bytes) followed by up to 200 bytes of
// codec-specific extra data, 218 bytes in all, kept byte for byte as files store it.
#include <array>
#include <cstdint>

#include "sound/Bytes.h"

namespace tarkel {

inline constexpr uint32_t kFormatBlockSize = 218;
inline constexpr uint32_t kFormatHeaderSize = 18;  // WAVEFORMATEX without extra bytes
inline constexpr uint32_t kPcmFormatSize = 16;     // PCMWAVEFORMAT
inline constexpr uint16_t kFormatTagPcm = 1;

class WaveFormat {
 public:
  WaveFormat() { bytes_.fill(0); }

  // A PCM format with average bytes and block alignment derived from the other fields.
  static WaveFormat Pcm(uint16_t channels, uint32_t rate, uint16_t bits) {
    return Make(kFormatTagPcm, channels, rate, bits);
  }
  static WaveFormat Make(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    WaveFormat f;
    const uint16_t align = uint16_t(channels * ((bits + 7) / 8));
    f.SetFormatTag(tag);
    f.SetChannels(channels);
    f.SetSamplesPerSec(rate);
    f.SetBlockAlign(align);
    // Saturates like the reader's fill-in for a missing value, so a written header reads back
    // the same for rates whose byte rate does not fit 32 bits.
    const uint64_t perSecond = uint64_t(rate) * align;
    f.SetAvgBytesPerSec(perSecond > UINT32_MAX ? UINT32_MAX : uint32_t(perSecond));
    f.SetBitsPerSample(bits);
    return f;
  }

  uint16_t FormatTag() const { return GetLE16(&bytes_[0]); }
  uint16_t Channels() const { return GetLE16(&bytes_[2]); }
  uint32_t SamplesPerSec() const { return GetLE32(&bytes_[4]); }
  uint32_t AvgBytesPerSec() const { return GetLE32(&bytes_[8]); }
  uint16_t BlockAlign() const { return GetLE16(&bytes_[12]); }
  uint16_t BitsPerSample() const { return GetLE16(&bytes_[14]); }
  uint16_t ExtraSize() const { return GetLE16(&bytes_[16]); }

  void SetFormatTag(uint16_t v) { PutLE16(&bytes_[0], v); }
  void SetChannels(uint16_t v) { PutLE16(&bytes_[2], v); }
  void SetSamplesPerSec(uint32_t v) { PutLE32(&bytes_[4], v); }
  void SetAvgBytesPerSec(uint32_t v) { PutLE32(&bytes_[8], v); }
  void SetBlockAlign(uint16_t v) { PutLE16(&bytes_[12], v); }
  void SetBitsPerSample(uint16_t v) { PutLE16(&bytes_[14], v); }
  void SetExtraSize(uint16_t v) { PutLE16(&bytes_[16], v); }

  bool IsPcm() const { return FormatTag() == kFormatTagPcm; }

  // Bytes that make up the whole format: 18 + cbSize, never more than the block holds.
  uint32_t CopySize() const {
    const uint32_t n = kFormatHeaderSize + ExtraSize();
    return n < kFormatBlockSize ? n : kFormatBlockSize;
  }
  // Copies the whole format (CopySize bytes) into `destination`, which holds 218 bytes.
  void CopyTo(uint8_t* destination) const;
  // Replaces this format by the first `size` bytes (at most 218) of `source`; the rest is zero.
  void AssignFrom(const uint8_t* source, uint32_t size);

  uint8_t* Data() { return bytes_.data(); }
  const uint8_t* Data() const { return bytes_.data(); }

  // Equal as the clipboard compares formats: tag, channels, rate, bytes per second, alignment, bits.
  bool SamePcmFields(const WaveFormat& other) const;

 private:
  std::array<uint8_t, kFormatBlockSize> bytes_;
};

}  // namespace tarkel
