#pragma once
// The spectrum analyzer's maths: the analysis window, the spectrum of a block of frames around a
// position, and the height of a bin on the display for each colour scaling mode.
#include <cstdint>
#include <vector>

#include "monitors/SampleBlock.h"

namespace tarkel {

// The analysis window of `size` values: w[i] = 1 - ((i - (size - 1) / 2) / ((size + 1) / 2))^2
// (a Welch window; for 512 values w[i] = 1 - ((i - 255.5) / 256.5)^2).
std::vector<double> AnalysisWindow(uint32_t size);

// The block sizes the analyzer accepts (FFT_BlockSize): powers of two from 128 to 4096; any other
// value analyses 512 frames.
inline constexpr uint32_t kDefaultSpectrumBlock = 512;
uint32_t SpectrumBlockSize(int32_t requested);

// What a bin's level does to its height on the display (ColorScalingMode).
enum class SpectrumScaling : int { Linear = 0, Logarithmic = 1, Exponential = 2 };
SpectrumScaling SpectrumScalingOf(int32_t mode);

// Bins below this level (dB against a full-scale sine) show nothing.
inline constexpr double kSpectrumFloorDb = -96.0;

class SpectrumAnalysis {
 public:
  explicit SpectrumAnalysis(int32_t blockSize);

  uint32_t BlockSize() const { return size_; }
  // Levels in dB against a full-scale sine of bins 0 .. BlockSize / 2 - 1 (bin k is k × rate /
  // BlockSize Hz) of the frames centred on `centreFrame`, the channels mixed; frames outside the
  // sound count as silence. Never below kSpectrumFloorDb.
  const std::vector<float>& Analyse(const SampleBlock& sound, int64_t centreFrame);

 private:
  uint32_t size_;
  std::vector<double> window_;
  double windowGain_;  // the window's sum halved: what a full-scale sine gives its bin
  std::vector<double> re_, im_;
  std::vector<float> levels_;
};

// Height of a bin (0 .. 1) from its level: linear amplitude, logarithmic (dB from the floor up
// to 0 dB), or exponential (the power, amplitude squared).
double SpectrumHeight(double levelDb, SpectrumScaling scaling);

}  // namespace tarkel
