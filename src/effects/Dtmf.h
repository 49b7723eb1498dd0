#pragma once
// DTMF tone dialing: each character of a dial string gets a slot of the range that holds its two
// tones, the low (row) tone and the high (column) tone, averaged.
//
// Each tone is a continuous sine at the exact frequency of the keypad table. (Tone synthesis
// rounds its period down to whole samples, which detunes the tones by far more than the
// 1.5 percent that receivers must accept: at 22,050 Hz 1,477 Hz would come out at 1,575 Hz.)
#include <cstdint>
#include <optional>

namespace tarkel {

struct DtmfPair {
  uint32_t lowHertz = 0;
  uint32_t highHertz = 0;
};

// The tones of a keypad character 0-9, * or #; nothing for any other character.
std::optional<DtmfPair> DtmfTonesOf(char c);

// Each tone is written at 9 x level percent of full scale (then halved by the averaging).
inline constexpr int32_t kDtmfLevelFactor = 9;

// Writes a sine of `hertz` at `rate`, peak `amplitude` x 32,767 (1 = full scale; limited to
// the 16-bit range), over `frames` frames starting at phase 0: frame j is `samplesPerFrame`
// 16-bit samples (each channel the same value) at sample j x `strideSamples` from `target`.
// Its value is trunc(sin(2 pi hertz j / rate) x amplitude x 32767).
void WriteDtmfTone(uint8_t* target, uint64_t frames, uint32_t samplesPerFrame, uint32_t strideSamples, double hertz,
                   uint32_t rate, double amplitude);

}  // namespace tarkel
