#pragma once
// Reading and writing single samples of the two PCM widths, and the arithmetic the edit
// operations share: the mean of two samples.
#include <bit>
#include <cstdint>
#include <cstring>

namespace tarkel {

static_assert(std::endian::native == std::endian::little, "sample data is little-endian");

inline int16_t Load16(const uint8_t* p) {
  int16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
inline void Store16(uint8_t* p, int16_t v) { std::memcpy(p, &v, 2); }

// Mean of two 8-bit samples: the sum of the unsigned values shifted right by one.
inline uint8_t Mean8(uint8_t a, uint8_t b) { return uint8_t((unsigned(a) + unsigned(b)) >> 1); }
// Mean of two 16-bit samples, the division truncating towards zero.
inline int16_t Mean16(int16_t a, int16_t b) { return int16_t((int(a) + int(b)) / 2); }

}  // namespace tarkel
