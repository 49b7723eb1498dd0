#include "monitors/Spectrum.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "effects/RealFft.h"

namespace tarkel {

std::vector<double> AnalysisWindow(uint32_t size) {
  std::vector<double> window(size);
  const double centre = (size - 1) / 2.0, half = (size + 1) / 2.0;
  for (uint32_t i = 0; i < size; ++i) {
    const double x = (i - centre) / half;
    window[i] = 1.0 - x * x;
  }
  return window;
}

uint32_t SpectrumBlockSize(int32_t requested) {
  if (requested >= 128 && requested <= 4096 && IsPowerOfTwo(static_cast<uint32_t>(requested)))
    return static_cast<uint32_t>(requested);
  return kDefaultSpectrumBlock;
}

SpectrumScaling SpectrumScalingOf(int32_t mode) {
  return mode == 0 ? SpectrumScaling::Linear : mode == 2 ? SpectrumScaling::Exponential : SpectrumScaling::Logarithmic;
}

SpectrumAnalysis::SpectrumAnalysis(int32_t blockSize)
    : size_(SpectrumBlockSize(blockSize)),
      window_(AnalysisWindow(size_)),
      windowGain_(std::accumulate(window_.begin(), window_.end(), 0.0) / 2.0),
      re_(size_ / 2),
      im_(size_ / 2),
      levels_(size_ / 2, static_cast<float>(kSpectrumFloorDb)) {}

const std::vector<float>& SpectrumAnalysis::Analyse(const SampleBlock& sound, int64_t centreFrame) {
  const int64_t first = centreFrame - size_ / 2;
  const uint16_t channels = std::max<uint16_t>(1, sound.channels);
  auto mixed = [&](int64_t frame) {
    double sum = 0.0;
    for (uint16_t channel = 0; channel < channels; ++channel) sum += NormalizedSample(sound, frame, channel);
    return sum / channels;
  };
  const uint32_t half = size_ / 2;
  for (uint32_t j = 0; j < half; ++j) {
    re_[j] = mixed(first + 2 * j) * window_[2 * j];
    im_[j] = mixed(first + 2 * j + 1) * window_[2 * j + 1];
  }
  RealFft(half, re_.data(), im_.data());
  const double floorAmplitude = std::pow(10.0, kSpectrumFloorDb / 20.0);
  for (uint32_t k = 0; k < half; ++k) {
    // Bin 0 holds the plain sum; its imaginary slot carries the Nyquist value.
    const double magnitude = k == 0 ? std::fabs(re_[0]) : std::hypot(re_[k], im_[k]);
    const double amplitude = std::max(magnitude / windowGain_, floorAmplitude);
    levels_[k] = static_cast<float>(20.0 * std::log10(amplitude));
  }
  return levels_;
}

double SpectrumHeight(double levelDb, SpectrumScaling scaling) {
  const double amplitude = std::pow(10.0, std::min(levelDb, 0.0) / 20.0);
  switch (scaling) {
    case SpectrumScaling::Linear:
      return amplitude;
    case SpectrumScaling::Exponential:
      return amplitude * amplitude;
    case SpectrumScaling::Logarithmic:
    default:
      return std::clamp((levelDb - kSpectrumFloorDb) / -kSpectrumFloorDb, 0.0, 1.0);
  }
}

}  // namespace tarkel
