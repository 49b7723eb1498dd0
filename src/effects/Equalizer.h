#pragma once
// The five-band equalizer: the spectral block filter with a gain per band.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarkel {

inline constexpr uint32_t kEqualizerBlockLength = 1024;
inline constexpr int kEqualizerBands = 5;
// Upper ends of bands 1 to 4 in Hz; a frequency equal to an end belongs to the lower band.
inline constexpr std::array<uint32_t, kEqualizerBands - 1> kEqualizerBandTops = {750, 1500, 2600, 5000};

// Band (0 ... 4) of a frequency in whole Hz.
int EqualizerBand(uint32_t hertz);

// Gains of bins k = 0 ... B/2: bin k takes the gain (a factor, 1 = unchanged) of the band of
// the frequency floor(k * rate / B) Hz (bin 0 that of band 1, bin B/2 that of band 5).
std::vector<double> EqualizerGains(uint32_t blockLength, uint32_t rate, const std::array<double, kEqualizerBands>& gains);

}  // namespace tarkel
