#include "sound/WaveImage.h"

#include <cstring>

#include "sound/Bytes.h"

namespace tarkel {

void WriteCanonicalHeader(uint8_t* h, const WaveFormat& format, uint32_t dataBytes) {
  PutTag(h + 0, "RIFF");
  PutLE32(h + 4, dataBytes + 36);
  PutTag(h + 8, "WAVE");
  PutTag(h + 12, "fmt ");
  PutLE32(h + 16, kPcmFormatSize);
  std::memcpy(h + 20, format.Data(), kPcmFormatSize);
  PutTag(h + 36, "data");
  PutLE32(h + 40, dataBytes);
}

WaveFormat SingleChannelOf(const WaveFormat& format) {
  WaveFormat f = format;
  if (f.Channels() > 1) {
    f.SetChannels(1);
    f.SetBlockAlign(uint16_t(f.BlockAlign() / 2));
    f.SetAvgBytesPerSec(f.AvgBytesPerSec() / 2);
  }
  return f;
}

bool WaveImage::Allocate(uint32_t dataBytes) {
  if (!block_.Allocate(size_t(dataBytes) + kWaveImageOverhead)) return false;
  std::memset(block_.Data(), 0, kCanonicalHeaderSize);
  dataBytes_ = dataBytes;
  return true;
}

bool WaveImage::Reallocate(uint32_t dataBytes) {
  if (Empty()) return Allocate(dataBytes);
  if (!block_.Resize(size_t(dataBytes) + kWaveImageOverhead)) return false;
  dataBytes_ = dataBytes;
  return true;
}

void WaveImage::Free() {
  block_.Release();
  dataBytes_ = 0;
}

}  // namespace tarkel
