#include "effects/EffectBounds.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "sound/Ports.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"

namespace tarkel {
namespace {

using W = RecordWord;
using namespace effect;

constexpr ValueBound kBounds[] = {
    {kHall, W::P1, "passes", 1, 8},
    {kHall, W::P2, "delay divisor", 6, 15},
    {kEcho, W::P1, "passes", 1, 18},
    {kEcho, W::P2, "delay in milliseconds", 100, 1000},
    {kRobotize, W::P1, "passes", 1, 20},
    {kRobotize, W::P2, "delay in hundreds of bytes", 0, 15},
    {kRobotize, W::P3, "delay in bytes", -50, 50},
    {kHighPass, W::P1, "half-wave length", 0, 65535},
    {kLowPass, W::P1, "half-wave length", 0, 65535},
    {kBandPass, W::P1, "half-wave length", 0, 65535},
    {kNoiseGate, W::P1, "level threshold", 0, 256},
    {kBoostLong, W::P1, "half-wave length", 0, 65535},
    {kBoostShort, W::P1, "half-wave length", 0, 65535},
    {kCrossover, W::P1, "level at segment start in percent", 0, 100},
    {kCrossover, W::P2, "level at segment end in percent", 0, 100},
    {kCrossover, W::P3, "segments", 1, 10},
    {kCrossover, W::P4, "swap after the range", 0, 1},
    {kFade, W::P1, "start level in percent", 0, 100},
    {kFade, W::P2, "end level in percent", 0, 100},
    {kToneSynthesis, W::P1, "level tens in percent", 0, 90},
    {kToneSynthesis, W::P2, "level units in percent", 0, 10},
    {kToneSynthesis, W::P3, "waveform", 0, 4},
    {kToneSynthesis, W::P4, "frequency in 1/100 Hz", 10, 4800000},
    {kVibrato, W::P1, "sub-steps", 1, 40},
    {kVibrato, W::P2, "period in milliseconds", 1, 2000},
    {kVibrato, W::P3, "low level in percent", 0, 100},
    {kVibrato, W::P4, "high level in percent", 0, 100},
    {kAmplitude, W::P1, "level in percent", 0, 200},
    {kVibverb, W::P1, "passes", 20, 70},
    {kVibverb, W::P2, "delay in milliseconds", 60, 110},
    {kDigitalDelay, W::P1, "delay in milliseconds", 0, 1000},
    {kMetal, W::P1, "passes", 20, 70},
    {kMetal, W::P2, "delay numerator", 60, 110},
    {kMetal, W::P3, "delay denominator", 1, 5},
    {kTube, W::P1, "passes", 1, 3},
    {kTube, W::P2, "delay numerator", 100, 1000},
    {kTube, W::P3, "delay denominator", 200, 1000},
    {kDtmf, W::P1, "level", 0, 10},
    {kFusion, W::P1, "outer level in percent", 0, 100},
    {kFusion, W::P2, "inner level in percent", 0, 100},
    {kDcOffset, W::P1, "offset", 0, 255, SampleWidth::Eight},
    {kDcOffset, W::P1, "offset", -32768, 32767, SampleWidth::Wider},
    {kNumericalFilter, W::P1, "lower edge in Hz", 0, 30000},
    {kNumericalFilter, W::P2, "upper edge in Hz", 0, 30000},
    {kNumericalFilter, W::P3, "gain inside the band in percent", 0, 200},
    {kNumericalFilter, W::P4, "gain outside the band in percent", 0, 200},
    {kNumericalFilter, W::P5, "block length", 512, 16384, SampleWidth::Any, true},
    {kNumericalFilter, W::P6, "design", 0, 2},
    {kEqualizer, W::Real1, "band 1 gain in percent", 0, 200},
    {kEqualizer, W::Real2, "band 2 gain in percent", 0, 200},
    {kEqualizer, W::Real3, "band 3 gain in percent", 0, 200},
    {kEqualizer, W::Real4, "band 4 gain in percent", 0, 200},
    {kEqualizer, W::Real5, "band 5 gain in percent", 0, 200},
};

bool AppliesTo(const ValueBound& b, uint16_t bitsPerSample) {
  switch (b.width) {
    case SampleWidth::Eight: return bitsPerSample == 8;
    case SampleWidth::Wider: return bitsPerSample != 8;
    case SampleWidth::Any: break;
  }
  return true;
}

bool Within(const ValueBound& b, double v) {
  if (!(v >= double(b.min) && v <= double(b.max))) return false;  // NaN is outside
  return !b.powerOfTwo || (std::has_single_bit(uint64_t(v)) && double(uint64_t(v)) == v);
}

std::string RangeText(const char* effect, int number, const char* name, int64_t min, int64_t max,
                      bool powerOfTwo = false) {
  return std::string(effect) + ": value " + std::to_string(number) + " (" + name + ") must be " +
         (powerOfTwo ? "a power of two " : "") + "between " + std::to_string(min) + " and " + std::to_string(max);
}

std::optional<std::string> EnvelopeOutOfBounds(const EffectRequest& r) {
  if (r.envelopeWidth <= 0) return RangeText("envelope", 1, "width", 1, INT32_MAX);
  if (r.points.size() > kMaxEnvelopePoints)
    return "envelope: at most " + std::to_string(kMaxEnvelopePoints) + " points";
  for (size_t i = 0; i < r.points.size(); ++i) {
    const int number = int(2 + 2 * i);
    if (r.points[i].x < 0 || r.points[i].x > r.envelopeWidth)
      return RangeText("envelope", number, "x", 0, r.envelopeWidth);
    if (r.points[i].y < 0 || r.points[i].y > kEnvelopeMaxY)
      return RangeText("envelope", number + 1, "y in percent from the top", 0, kEnvelopeMaxY);
  }
  return std::nullopt;
}

}  // namespace

std::span<const ValueBound> AllValueBounds() { return kBounds; }

const ValueBound* FindValueBound(uint32_t id, RecordWord word, uint16_t bitsPerSample) {
  for (const ValueBound& b : kBounds)
    if (b.effectId == id && b.word == word && AppliesTo(b, bitsPerSample)) return &b;
  return nullptr;
}

double RecordValue(const EffectParams& p, RecordWord word) {
  switch (word) {
    case W::P1: return p.param1;
    case W::P2: return p.param2;
    case W::P3: return p.param3;
    case W::P4: return p.param4;
    case W::P5: return p.param5;
    case W::P6: return p.param6;
    case W::Real1: return p.real1;
    case W::Real2: return p.real2;
    case W::Real3: return p.real3;
    case W::Real4: return p.real4;
    case W::Real5: return p.real5;
  }
  return 0;
}

void SetRecordValue(EffectParams& p, RecordWord word, double value) {
  const int32_t whole = std::isnan(value) ? 0 : int32_t(std::clamp(value, double(INT32_MIN), double(INT32_MAX)));
  switch (word) {
    case W::P1: p.param1 = whole; break;
    case W::P2: p.param2 = whole; break;
    case W::P3: p.param3 = whole; break;
    case W::P4: p.param4 = whole; break;
    case W::P5: p.param5 = whole; break;
    case W::P6: p.param6 = uint32_t(whole); break;
    case W::Real1: p.real1 = value; break;
    case W::Real2: p.real2 = value; break;
    case W::Real3: p.real3 = value; break;
    case W::Real4: p.real4 = value; break;
    case W::Real5: p.real5 = value; break;
  }
}

int ValueNumber(RecordWord word) {
  return word >= W::Real1 ? int(word) - int(W::Real1) + 1 : int(word) - int(W::P1) + 1;
}

std::optional<std::string> OutOfBoundsText(const EffectRequest& r, uint16_t bitsPerSample) {
  if (r.operation == EffectOperation::Envelope) return EnvelopeOutOfBounds(r);
  if (r.operation != EffectOperation::Table || !r.entry) return std::nullopt;
  for (const RecordWord word : kAllRecordWords) {
    const ValueBound* b = FindValueBound(r.entry->id, word, bitsPerSample);
    if (b && !Within(*b, RecordValue(r.params, word)))
      return RangeText(r.entry->name, ValueNumber(word), b->name, b->min, b->max, b->powerOfTwo);
  }
  if (r.entry->id == kDtmf && r.digits.size() > kMaxDtmfDigits)
    return "dtmf: at most " + std::to_string(kMaxDtmfDigits) + " digits";
  return std::nullopt;
}

bool RequireValuesInBounds(const EffectRequest& request, uint16_t bitsPerSample) {
  const std::optional<std::string> text = OutOfBoundsText(request, bitsPerSample);
  if (text) ShowText(*text);
  return !text;
}

}  // namespace tarkel
