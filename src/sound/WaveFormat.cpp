#include "sound/WaveFormat.h"

#include <algorithm>
#include <cstring>

namespace tarkel {

void WaveFormat::CopyTo(uint8_t* destination) const { std::memcpy(destination, bytes_.data(), CopySize()); }

void WaveFormat::AssignFrom(const uint8_t* source, uint32_t size) {
  bytes_.fill(0);
  std::memcpy(bytes_.data(), source, std::min(size, kFormatBlockSize));
}

bool WaveFormat::SamePcmFields(const WaveFormat& other) const {
  return std::memcmp(bytes_.data(), other.bytes_.data(), kPcmFormatSize) == 0;
}

}  // namespace tarkel
