#include "view/SpectralColumn.h"

#include <algorithm>
#include <cmath>

#include "effects/RealFft.h"

namespace tarkel {
namespace {
constexpr double kFloorDb = 90.0;
}

SpectralAnalyzer::SpectralAnalyzer(uint32_t blockSize)
    : n_(IsPowerOfTwo(blockSize) && blockSize >= 16 && blockSize <= 65536 ? blockSize : 512) {
  window_.resize(n_);
  const double centre = (n_ - 1) / 2.0;
  const double half = (n_ + 1) / 2.0;
  for (uint32_t i = 0; i < n_; ++i) {
    const double t = (i - centre) / half;
    window_[i] = 1.0 - t * t;
  }
  re_.resize(n_ / 2);
  im_.resize(n_ / 2);
  magnitude_.resize(n_ / 2);
}

void SpectralAnalyzer::Analyse(const SampleSpan& sound, uint32_t frame, uint16_t channel, int rows, bool logarithmic,
                               std::vector<float>& levels) {
  levels.assign(std::max(rows, 0), 0.0f);
  if (rows <= 0 || !sound.data) return;
  const double scale = sound.bits == 8 ? 1.0 / 127.0 : 1.0 / 32767.0;
  const uint16_t step = sound.channels;
  const uint16_t offset = uint16_t(std::min<int>(channel, step) - 1);
  auto sample = [&](uint32_t i) {
    const uint64_t f = uint64_t(frame) + i;
    if (f >= sound.frames) return 0.0;
    return sound.Centered(f * step + offset) * scale * window_[i];
  };
  for (uint32_t k = 0; k < n_ / 2; ++k) {
    re_[k] = sample(2 * k);
    im_[k] = sample(2 * k + 1);
  }
  RealFft(n_ / 2, re_.data(), im_.data());
  // Bin 0 is the constant part; im[0] holds the Nyquist value, which no row shows.
  magnitude_[0] = std::abs(re_[0]);
  for (uint32_t k = 1; k < n_ / 2; ++k) magnitude_[k] = std::hypot(re_[k], im_[k]);
  // A full-scale sine gives about N/4 under this window.
  const double fullScale = n_ / 4.0;
  const uint32_t bins = n_ / 2;
  for (int r = 0; r < rows; ++r) {
    uint32_t from = uint32_t(uint64_t(r) * bins / rows);
    uint32_t to = std::max(from + 1, uint32_t(uint64_t(r + 1) * bins / rows));
    double peak = 0;
    for (uint32_t k = from; k < to && k < bins; ++k) peak = std::max(peak, magnitude_[k]);
    const double ratio = peak / fullScale;
    double level;
    if (logarithmic) level = ratio > 0 ? (20.0 * std::log10(ratio) + kFloorDb) / kFloorDb : 0.0;
    else level = ratio;
    levels[r] = float(std::clamp(level, 0.0, 1.0));
  }
}

}  // namespace tarkel
