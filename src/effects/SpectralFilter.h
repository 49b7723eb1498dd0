#pragma once
// The spectral block filter behind the numerical filter and the equalizer: one channel of 16-bit
// samples is cut into overlapping blocks, each block is transformed with RealFft, its bins are
// weighted by a gain curve G(k), and the blocks are transformed back and added up.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

namespace tarkel {

// Block lengths the filter accepts: powers of two from kMinSpectralBlock to kMaxSpectralBlock.
inline constexpr uint32_t kMinSpectralBlock = 256;
inline constexpr uint32_t kMaxSpectralBlock = 16384;
// Zeros that pad every block around its samples, half before and half after.
inline constexpr uint32_t kSpectralBlockPadding = 100;

// The nearest block length the filter accepts at or below `requested` (never below the minimum).
uint32_t SupportedBlockLength(int64_t requested);

// Design kinds of the numerical filter (EffectParams::param6).
enum class FilterDesign : uint32_t {
  Gaussian = 0,   // Gaussian weight around the centre of the band
  Band = 1,       // one gain inside the band, another outside
  Equalizer = 2,  // five fixed bands (Equalizer.h)
};

// Gain curves: one value per bin k = 0 ... B/2 at frequency k / B of the sampling rate, bin 0
// (the constant part) and bin B/2 (the Nyquist frequency) included. Every bin follows the curve:
// with overlapping windowed blocks, clearing bin 0 alone would remove a different share of a
// constant part from every block and leave a buzz at the block rate.
//
// Gaussian band: G = e^{-((f - centre) / spread)^2} with f = k / B; `centre` and `spread` are
// fractions of the sampling rate. A spread of 0 keeps only the bin at the centre.
std::vector<double> GaussianGains(uint32_t blockLength, double centre, double spread);
// Band: `inside` for lower < f < upper, `outside` elsewhere (edges as fractions of the rate).
std::vector<double> BandGains(uint32_t blockLength, double lower, double upper, double inside, double outside);

// One channel of 16-bit little-endian samples: sample i at base + i * strideBytes.
struct SampleLane16 {
  uint8_t* base = nullptr;
  size_t strideBytes = 2;

  int16_t Get(size_t i) const {
    int16_t v;
    std::memcpy(&v, base + i * strideBytes, 2);
    return v;
  }
  void Set(size_t i, int16_t v) const { std::memcpy(base + i * strideBytes, &v, 2); }
};

// Called after every run of written samples with their number; false stops the filter (cancel).
using WrittenSamples = std::function<bool(uint64_t count)>;

// Filters `count` samples of a lane in place.
//
// Block scheme (weighted overlap-add): a block of B values holds 50 zeros, N = B - 100 samples
// multiplied by a periodic Hann window, and 50 zeros. Blocks start every N/2 samples, the first
// one N/2 samples before the lane (the lane is taken as silent outside itself), so that the
// windows of every sample add up to exactly 1. Each block is weighted in the frequency domain by
// G(k) and transformed back; its whole length, the padding included (the filter's response
// spreads into it instead of wrapping around the block), is added into an accumulator. A sample
// is written back, limited to -32,768 ... 32,767 and truncated towards zero, as soon as no later
// block reaches it; reading stays ahead of writing, so the lane is filtered in place. The Hann
// window keeps the leakage of one bin into the others low, so a tone in a band of gain 0 is
// removed and a tone in a band of gain g comes out at g times its level.
class SpectralBlockFilter {
 public:
  // `gains` holds B/2 + 1 values (GaussianGains, BandGains, EqualizerGains). Throws
  // std::bad_alloc when its work area cannot be had.
  SpectralBlockFilter(uint32_t blockLength, std::vector<double> gains);

  // False when `written` asked to stop; the samples written up to then stay filtered.
  bool Run(const SampleLane16& lane, uint64_t count, const WrittenSamples& written);

  uint32_t BlockLength() const { return blockLength_; }
  uint32_t Hop() const { return hop_; }

 private:
  // Transforms the block in re_, weights it and transforms it back; the result is in re_.
  void FilterBlock();

  uint32_t blockLength_;
  uint32_t frameLength_;
  uint32_t hop_;
  std::vector<double> gains_;
  std::vector<double> window_;
  std::vector<double> re_;
  std::vector<double> im_;
  std::vector<double> accumulator_;
};

}  // namespace tarkel
