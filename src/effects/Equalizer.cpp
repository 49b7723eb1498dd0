#include "effects/Equalizer.h"

namespace tarkel {

int EqualizerBand(uint32_t hertz) {
  int band = 0;
  while (band < kEqualizerBands - 1 && hertz > kEqualizerBandTops[size_t(band)]) ++band;
  return band;
}

std::vector<double> EqualizerGains(uint32_t blockLength, uint32_t rate, const std::array<double, kEqualizerBands>& gains) {
  std::vector<double> g(blockLength / 2 + 1, 0.0);
  for (uint32_t k = 0; k <= blockLength / 2; ++k) {
    const uint64_t hertz = uint64_t(k) * rate / blockLength;
    g[k] = gains[size_t(EqualizerBand(hertz > UINT32_MAX ? UINT32_MAX : uint32_t(hertz)))];
  }
  return g;
}

}  // namespace tarkel
