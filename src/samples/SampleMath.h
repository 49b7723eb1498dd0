#pragma once
// Sample arithmetic the effects and the edit operations share.
#include <algorithm>
#include <cstdint>

namespace tarkel {

// Limits to the 16-bit range, then truncates towards zero; written so that loops vectorize.
inline int16_t LimitTo16(float v) { return int16_t(int32_t(std::min(std::max(v, -32768.0f), 32767.0f))); }

// 16-bit limiting and the conversions of the 8-bit centre line.
inline int32_t Clamp16(int64_t v) { return v < -32768 ? -32768 : v > 32767 ? 32767 : int32_t(v); }
inline uint8_t Clamp8(int64_t v) { return v < 0 ? 0 : v > 255 ? 255 : uint8_t(v); }

// An 8-bit sample scaled by m / l about the centre line (unsigned around 128): values above the
// centre saturate at 255, values below at 0.
inline uint8_t ScaleByte(uint8_t b, uint64_t m, uint64_t l) {
  if (b >= 128) {
    const uint64_t v = m * (b - 128u) / l;
    return v >= 128 ? 255 : uint8_t(128 + v);
  }
  const uint64_t v = (127u - b) * m / l;
  return uint8_t(127 - std::min<uint64_t>(v, 127));
}

// The distance of a sample from the centre line: 8-bit b - 127 from 128 up and 127 - b below;
// 16-bit the absolute value.
inline uint32_t SampleLevel(uint8_t b) { return b >= 128 ? b - 127u : 127u - b; }
inline uint32_t SampleLevel(int16_t s) { return s < 0 ? uint32_t(-int32_t(s)) : uint32_t(s); }

}  // namespace tarkel
