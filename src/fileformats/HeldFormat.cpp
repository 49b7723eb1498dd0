#include "fileformats/HeldFormat.h"

#include <algorithm>
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
// Formats whose extra bytes start with the samples one block holds.
constexpr uint16_t kTagMsAdpcm = 0x0002;
constexpr uint16_t kTagImaAdpcm = 0x0011;
constexpr uint16_t kTagGsm610 = 0x0031;

}  // namespace

bool IsBlockedFormat(const WaveFormat& f) {
  const uint16_t bits = f.BitsPerSample();
  return bits == 0 || bits % 8 != 0 || f.BlockAlign() != uint32_t(f.Channels()) * (bits / 8);
}

uint32_t SampleFramesOf(const WaveAudio& wave) {
  if (IsBlockedFormat(wave.Format()) && wave.Chunks().factSamples) return *wave.Chunks().factSamples;
  return wave.Frames();
}

uint32_t FactForBlocks(const WaveAudio& wave, uint32_t first, uint32_t end) {
  const WaveFormat& f = wave.Format();
  const bool countsSamples = f.FormatTag() == kTagMsAdpcm || f.FormatTag() == kTagImaAdpcm || f.FormatTag() == kTagGsm610;
  const uint32_t perBlock = countsSamples && f.ExtraSize() >= 2 ? GetLE16(f.Data() + kFormatHeaderSize) : 0;
  if (perBlock == 0) return end - first;
  uint64_t samples = uint64_t(end - first) * perBlock;
  // The last block of the file may hold fewer samples than the others.
  if (const auto& fact = wave.Chunks().factSamples; fact && end == wave.Frames()) {
    const uint64_t before = uint64_t(first) * perBlock;
    samples = *fact > before ? std::min<uint64_t>(samples, *fact - before) : 0;
  }
  return uint32_t(std::min<uint64_t>(samples, UINT32_MAX));
}

WaveFormat WithoutExtensible(const WaveFormat& format) {
  if (format.FormatTag() != kFormatTagExtensible || format.ExtraSize() < kExtensibleExtraSize) return format;
  // The sub-format GUID of a WAVE format tag is the tag followed by the fixed base.
  const uint8_t* guid = format.Data() + kSubFormatOffset;
  if (std::memcmp(guid + 2, kPcmSubFormat + 2, sizeof kPcmSubFormat - 2) != 0) return format;
  WaveFormat plain;
  plain.AssignFrom(format.Data(), kPcmFormatSize);
  plain.SetFormatTag(GetLE16(guid));
  return plain;
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
