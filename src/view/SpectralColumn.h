#pragma once
// The spectral view's analysis: the spectrum of one block of a channel, windowed, transformed
// with the project's real FFT and folded into one level per pixel row.
#include <cstdint>
#include <vector>

#include "view/SampleSpan.h"

namespace tarkel {

class SpectralAnalyzer {
 public:
  // `blockSize` frames per transform (the setting "FFT_BlockSize"); anything that is not a power
  // of two from 16 to 65536 becomes 512.
  explicit SpectralAnalyzer(uint32_t blockSize);
  uint32_t BlockSize() const { return n_; }
  // Frames between the starts of two blocks.
  uint32_t Hop() const { return n_ / 2; }

  // Levels from 0 to 1 for `rows` rows, row 0 the lowest frequencies, of the block of
  // `channel` (1 or 2) that starts at `frame`. Frames past the end count as silence. The scale is
  // logarithmic (90 dB down to the bottom) or linear.
  void Analyse(const SampleSpan& sound, uint32_t frame, uint16_t channel, int rows, bool logarithmic,
               std::vector<float>& levels);

 private:
  uint32_t n_;
  std::vector<double> window_;
  std::vector<double> re_;
  std::vector<double> im_;
  std::vector<double> magnitude_;
};

}  // namespace tarkel
