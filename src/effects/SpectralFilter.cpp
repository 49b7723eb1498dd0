#include "effects/SpectralFilter.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "effects/RealFft.h"

namespace tarkel {

uint32_t SupportedBlockLength(int64_t requested) {
  uint32_t length = kMinSpectralBlock;
  while (length < kMaxSpectralBlock && int64_t(length) * 2 <= requested) length *= 2;
  return length;
}

std::vector<double> GaussianGains(uint32_t blockLength, double centre, double spread) {
  std::vector<double> g(blockLength / 2 + 1, 0.0);
  for (uint32_t k = 0; k <= blockLength / 2; ++k) {
    const double f = double(k) / blockLength;
    if (spread > 0.0 && std::isfinite(spread)) {
      const double x = (f - centre) / spread;
      g[k] = std::exp(-x * x);
    } else {
      // No width: only the bin nearest the centre passes.
      g[k] = std::fabs(f - centre) <= 0.5 / blockLength ? 1.0 : 0.0;
    }
  }
  return g;
}

std::vector<double> BandGains(uint32_t blockLength, double lower, double upper, double inside, double outside) {
  std::vector<double> g(blockLength / 2 + 1, 0.0);
  for (uint32_t k = 0; k <= blockLength / 2; ++k) {
    const double f = double(k) / blockLength;
    g[k] = (lower < f && f < upper) ? inside : outside;
  }
  return g;
}

SpectralBlockFilter::SpectralBlockFilter(uint32_t blockLength, std::vector<double> gains)
    : blockLength_(blockLength),
      frameLength_(blockLength - kSpectralBlockPadding),
      hop_(frameLength_ / 2),
      gains_(std::move(gains)),
      window_(frameLength_),
      re_(blockLength),
      im_(blockLength),
      accumulator_(blockLength) {
  gains_.resize(blockLength / 2 + 1, 0.0);
  // A gain that is no number (a damaged preset) would make every sample of the block one.
  for (double& g : gains_)
    if (!std::isfinite(g)) g = 0.0;
  for (uint32_t i = 0; i < frameLength_; ++i) window_[i] = 0.5 - 0.5 * std::cos(2.0 * M_PI * i / frameLength_);
}

void SpectralBlockFilter::FilterBlock() {
  const uint32_t b = blockLength_;
  const uint32_t n = b / 2;
  // Pack the B real values as n complex ones: even values real, odd values imaginary.
  for (uint32_t j = 0; j < n; ++j) {
    im_[j] = re_[2 * j + 1];
    re_[j] = re_[2 * j];
  }
  RealFft(n, re_.data(), im_.data());
  // Weight bin k by G(k) * 2 / B and move it to the mirrored place B - k; clear 1 ... B/2 - 1.
  // The transform with the kernel e^{+i theta} of these mirrored bins is then the inverse
  // transform of the weighted one-sided spectrum, whose real part is the filtered block. Bin 0
  // (at place 0) and the Nyquist bin (at place B/2, packed in im[0]) count once: G / B.
  const double scale = 2.0 / b;
  for (uint32_t k = n - 1; k >= 1; --k) {
    const double g = gains_[k] * scale;
    re_[b - k] = re_[k] * g;
    im_[b - k] = im_[k] * g;
  }
  const double nyquist = im_[0] * gains_[n] / b;
  re_[0] *= gains_[0] / b;
  im_[0] = 0.0;
  for (uint32_t k = 1; k <= n; ++k) re_[k] = im_[k] = 0.0;
  re_[n] = nyquist;
  ComplexFft(b, re_.data(), im_.data());
}

bool SpectralBlockFilter::Run(const SampleLane16& lane, uint64_t count, const WrittenSamples& written) {
  if (count == 0) return true;
  const int64_t total = int64_t(count);
  const int64_t hop = hop_;
  const int64_t lead = kSpectralBlockPadding / 2;
  std::fill(accumulator_.begin(), accumulator_.end(), 0.0);
  int64_t nextWrite = 0;

  // Writes the finished positions nextWrite ... end - 1 (accumulator index 0 is `base`).
  auto flush = [&](int64_t base, int64_t end) {
    end = std::min(end, total);
    if (end <= nextWrite) return true;
    for (int64_t p = nextWrite; p < end; ++p) {
      double v = accumulator_[size_t(p - base)];
      v = std::clamp(v, -32768.0, 32767.0);
      lane.Set(size_t(p), int16_t(std::trunc(v)));
    }
    const uint64_t n = uint64_t(end - nextWrite);
    nextWrite = end;
    return written ? written(n) : true;
  };

  for (int64_t start = -hop; start < total; start += hop) {
    // Fill the block: lead zeros, the windowed samples (silence outside the lane), zeros.
    std::fill(re_.begin(), re_.end(), 0.0);
    for (uint32_t i = 0; i < frameLength_; ++i) {
      const int64_t p = start + i;
      if (p >= 0 && p < total) re_[size_t(lead) + i] = window_[i] * lane.Get(size_t(p));
    }
    FilterBlock();
    // The accumulator starts at position start - lead, where this block's output starts.
    for (uint32_t j = 0; j < blockLength_; ++j) accumulator_[j] += re_[j];
    // No later block reaches below start + hop - lead.
    const int64_t base = start - lead;
    if (!flush(base, start + hop - lead)) return false;
    // Move the accumulator on by one hop.
    std::copy(accumulator_.begin() + hop, accumulator_.end(), accumulator_.begin());
    std::fill(accumulator_.end() - hop, accumulator_.end(), 0.0);
    if (start + hop >= total) return flush(base + hop, total);
  }
  return true;
}

}  // namespace tarkel
