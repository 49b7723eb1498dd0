#pragma once
// Tone synthesis: a waveform that overwrites a range of 16-bit samples. The period is a whole
// number of samples, P = trunc(rate / F), and every waveform restarts at the beginning of each
// period, so the tone sounds at rate / P rather than exactly at F (1,000 Hz at 44,100 Hz gives
// P = 44 and 1,002.3 Hz).
#include <cstdint>

namespace tarkel {

enum class Waveform : int32_t {
  Sine = 0,
  Sawtooth = 1,  // falling
  Triangle = 2,
  Square = 3,
  Noise = 4,
};
inline bool IsKnownWaveform(int32_t w) { return w >= 0 && w <= int32_t(Waveform::Noise); }

inline constexpr const char* kUnknownWaveformText = "Not implemented yet (x)";

struct ToneSettings {
  float level = 0;      // A: 1 = full scale
  int32_t waveform = 0; // Waveform
  float frequency = 0;  // F in Hz
};
// The settings of an EffectParams of tone synthesis: level (tens + units) percent, the waveform,
// the frequency in 1/100 Hz; single precision as the period is worked out in it.
ToneSettings ToneSettingsFrom(int32_t levelTens, int32_t levelUnits, int32_t waveform, int32_t centiHertz);

// Frames per period, trunc(rate / F); at least 1 for a frequency above the rate. UINT64_MAX for a
// frequency of 0 or below (no period ever ends: nothing is written).
uint64_t TonePeriodFrames(uint32_t rate, float frequency);

// The 15-bit pseudo-random sequence of the noise waveform (0 ... 32,767).
class NoiseSource {
 public:
  explicit NoiseSource(uint32_t seed) : state_(seed) {}
  int32_t Next() {
    state_ = state_ * 214013u + 2531011u;
    return int32_t((state_ >> 16) & 0x7FFF);
  }

 private:
  uint32_t state_;
};

// Produces the samples of the walk one after the other. `samplesPerFrame` is 1 for a mono sound
// and 2 when both channels of a stereo sound are written as one stream; the period in bytes of
// the walk is then v = P * 2 * samplesPerFrame, and the waveforms are defined over v:
//  sine      sample i of the period = trunc(sin(i * 12.566368 / v) * A * 32767)
//  sawtooth  c from 32768, dropping by trunc(131072 / v) after each sample; sample trunc(c * A)
//  triangle  c from 32768, step d = trunc(262144 / v); sample trunc(c * A); once c is below
//            -32768 the step changes sign; then c drops by d
//  square    samples that start in the first v/2 bytes trunc(A * -32768), the rest
//            trunc(A * 32767)
//  noise     trunc(A * r / 32767 * 65534 - 16000), r from NoiseSource
// Every value is limited to -32,768 ... 32,767 (the sawtooth and triangle reach 32,768 and
// beyond at full level, and noise above half level leaves the range).
class ToneGenerator {
 public:
  // `waveform` must be a known one.
  ToneGenerator(const ToneSettings& settings, uint64_t periodFrames, uint32_t samplesPerFrame, uint32_t seed);

  int16_t Next();
  // Writes the next `count` samples as 16-bit little-endian values at `target`.
  void Fill(uint8_t* target, uint64_t count);

 private:
  void RestartPeriod();

  Waveform waveform_;
  double level_;
  uint64_t periodSamples_;  // v / 2
  double periodBytes_;      // v
  uint64_t position_ = 0;   // sample of the period, from 0
  int64_t sawStep_;
  int64_t triangleStep_;
  int64_t c_ = 32768;
  int64_t d_ = 0;
  NoiseSource noise_;
};

}  // namespace tarkel
