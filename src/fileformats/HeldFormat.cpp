#include "fileformats/HeldFormat.h"

#include <cstring>

#include "sound/Bytes.h"
#include "sound/WaveAudio.h"

namespace tarkel {
namespace {

// KSDATAFORMAT_SUBTYPE_PCM: 00000001-0000-0010-8000-00aa00389b71 as stored in a file.
constexpr uint8_t kPcmSubFormat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                       0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr uint32_t kValidBitsOffset = kFormatHeaderSize;        // wValidBitsPerSample
constexpr uint32_t kSubFormatOffset = kFormatHeaderSize + 6;    // after the channel mask

}  // namespace

bool IsBlockedFormat(const WaveFormat& f) {
  const uint16_t bits = f.BitsPerSample();
  return bits == 0 || bits % 8 != 0 || f.BlockAlign() != uint32_t(f.Channels()) * (bits / 8);
}

uint32_t SampleFramesOf(const WaveAudio& wave) {
  if (IsBlockedFormat(wave.Format()) && wave.Chunks().factSamples) return *wave.Chunks().factSamples;
  return wave.Frames();
}

bool PlainPcmFromExtensible(WaveFormat& format) {
  if (format.FormatTag() != kFormatTagExtensible || format.ExtraSize() < kExtensibleExtraSize) return false;
  const uint8_t* extra = format.Data();
  if (std::memcmp(extra + kSubFormatOffset, kPcmSubFormat, sizeof kPcmSubFormat) != 0) return false;
  const uint16_t bits = format.BitsPerSample();
  const uint16_t validBits = GetLE16(extra + kValidBitsOffset);
  const uint16_t channels = format.Channels();
  if ((bits != 8 && bits != 16) || validBits > bits || (channels != 1 && channels != 2)) return false;
  if (format.BlockAlign() != channels * (bits / 8)) return false;
  format = WaveFormat::Pcm(channels, format.SamplesPerSec(), bits);
  return true;
}

}  // namespace tarkel
