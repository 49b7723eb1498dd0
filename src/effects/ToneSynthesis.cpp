#include "effects/ToneSynthesis.h"

#include <cmath>
#include <cstring>

namespace tarkel {
namespace {

int16_t Limit16(double v) {
  if (v <= -32768.0) return -32768;
  if (v >= 32767.0) return 32767;
  return int16_t(std::trunc(v));
}

// The phase constant of the sine: 4 pi to the precision the waveform was designed with.
constexpr double kSinePhase = 12.566368;

}  // namespace

ToneSettings ToneSettingsFrom(int32_t levelTens, int32_t levelUnits, int32_t waveform, int32_t centiHertz) {
  ToneSettings s;
  s.level = float(int64_t(levelTens) + levelUnits) * 0.01f;
  s.waveform = waveform;
  s.frequency = float(centiHertz) * 0.01f;
  return s;
}

uint64_t TonePeriodFrames(uint32_t rate, float frequency) {
  if (!(frequency > 0.0f)) return UINT64_MAX;
  const float period = float(rate) / frequency;
  if (!std::isfinite(period) || period >= 1.8e19f) return UINT64_MAX;
  const uint64_t p = uint64_t(period);
  return p == 0 ? 1 : p;
}

ToneGenerator::ToneGenerator(const ToneSettings& settings, uint64_t periodFrames, uint32_t samplesPerFrame,
                             uint32_t seed)
    : waveform_(Waveform(settings.waveform)),
      level_(settings.level),
      periodSamples_(periodFrames * samplesPerFrame),
      periodBytes_(double(periodFrames) * 2.0 * samplesPerFrame),
      sawStep_(int64_t(131072.0 / periodBytes_)),
      triangleStep_(int64_t(262144.0 / periodBytes_)),
      noise_(seed) {
  RestartPeriod();
}

void ToneGenerator::RestartPeriod() {
  position_ = 0;
  c_ = 32768;
  d_ = triangleStep_;
}

int16_t ToneGenerator::Next() {
  if (position_ == periodSamples_) RestartPeriod();
  const uint64_t i = position_++;
  switch (waveform_) {
    case Waveform::Sine: return Limit16(std::sin(double(i) * kSinePhase / periodBytes_) * level_ * 32767.0);
    case Waveform::Sawtooth: {
      const int16_t v = Limit16(double(c_) * level_);
      c_ -= sawStep_;
      return v;
    }
    case Waveform::Triangle: {
      const int16_t v = Limit16(double(c_) * level_);
      if (c_ < -32768) d_ = -d_;
      c_ -= d_;
      return v;
    }
    case Waveform::Square:
      // Sample i starts at byte 2i of the period.
      return 2.0 * double(i) < periodBytes_ / 2.0 ? Limit16(level_ * -32768.0) : Limit16(level_ * 32767.0);
    case Waveform::Noise:
      return Limit16(level_ * double(noise_.Next()) / 32767.0 * 65534.0 - 16000.0);
  }
  return 0;
}

void ToneGenerator::Fill(uint8_t* target, uint64_t count) {
  for (uint64_t j = 0; j < count; ++j) {
    const int16_t v = Next();
    std::memcpy(target + 2 * j, &v, 2);
  }
}

}  // namespace tarkel
