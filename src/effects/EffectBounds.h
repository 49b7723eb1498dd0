#pragma once
// The values each effect takes: the range of every record value an effect reads, as its dialog
// delivers it, with the dialog's conversions applied (Hall's SpaceDensity 0..100 reaches the
// record as the delay divisor 6..15, Vibverb's Change 1..100 as 20..70 passes). The half-wave
// filters and the noise gate have no dialog; their ranges keep their arithmetic in bounds.
// Every entry to the engine (the document's effect commands) refuses a request outside them,
// and the command line refuses such values as a usage error.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "effects/EffectRequest.h"

namespace tarkel {

// A value of the record an effect reads.
enum class RecordWord : uint8_t { P1, P2, P3, P4, P5, P6, Real1, Real2, Real3, Real4, Real5 };

// Which sounds a bound applies to: the DC offset's range depends on the sample width.
enum class SampleWidth : uint8_t { Any, Eight, Wider };

struct ValueBound {
  uint32_t effectId;
  RecordWord word;
  const char* name;  // what the value means in the record
  int64_t min;
  int64_t max;
  SampleWidth width = SampleWidth::Any;
  bool powerOfTwo = false;  // the spectral filter's block length
};

// The longest DTMF digit string (the dialog's buffer holds 255 characters and the end mark).
inline constexpr size_t kMaxDtmfDigits = 255;
// The graphical envelope: points at x = 0..width, y = 0..100 percent from the top, at most this many.
inline constexpr int32_t kEnvelopeMaxY = 100;
inline constexpr size_t kMaxEnvelopePoints = 1024;

inline constexpr RecordWord kAllRecordWords[] = {RecordWord::P1,    RecordWord::P2,    RecordWord::P3,
                                                 RecordWord::P4,    RecordWord::P5,    RecordWord::P6,
                                                 RecordWord::Real1, RecordWord::Real2, RecordWord::Real3,
                                                 RecordWord::Real4, RecordWord::Real5};

// Every bound of every effect, in effect-number order.
std::span<const ValueBound> AllValueBounds();
// The bound of `word` of effect `id` for a sound of `bitsPerSample`, or null when the effect
// does not read that value.
const ValueBound* FindValueBound(uint32_t id, RecordWord word, uint16_t bitsPerSample);
// The record's value in `word`, and setting it (a whole-number word takes the value limited to
// 32 bits).
double RecordValue(const EffectParams& params, RecordWord word);
void SetRecordValue(EffectParams& params, RecordWord word, double value);
// The number of `word` among the values the command line gives (1 for P1 and Real1).
int ValueNumber(RecordWord word);

// Nothing when every value of `request` is within its bounds for a sound of `bitsPerSample`;
// otherwise a text that names the first value outside and its range ("echo: value 2 (delay in
// milliseconds) must be between 100 and 1000").
std::optional<std::string> OutOfBoundsText(const EffectRequest& request, uint16_t bitsPerSample);

// The engine's check: shows the text of OutOfBoundsText and returns false for a request outside
// its bounds.
bool RequireValuesInBounds(const EffectRequest& request, uint16_t bitsPerSample);

}  // namespace tarkel
