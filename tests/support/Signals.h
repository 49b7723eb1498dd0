#pragma once
// Signals whose shape makes faults visible, and sounds built from them.
#include <cstdint>
#include <memory>
#include <vector>

#include "sound/DocWaveAudio.h"

namespace tarkel::test {

// 8-bit bytes holding i mod 256 at byte i.
std::vector<uint8_t> Staircase8(uint32_t bytes);
// 16-bit little-endian samples holding i (wrapped to 16 bits) at sample i.
std::vector<uint8_t> Staircase16(uint32_t samples);
// 16-bit samples of a sine of `frequency` Hz at `rate`, peak `amplitude`, one channel.
std::vector<int16_t> Sine16(double frequency, uint32_t rate, uint32_t samples, double amplitude);

// A sound of the given PCM format holding `bytes` (its data size is bytes.size()).
void Fill(WaveAudio& wave, uint16_t channels, uint32_t rate, uint16_t bits, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> Bytes(const WaveAudio& wave);
std::vector<int16_t> Samples16(const WaveAudio& wave);

}  // namespace tarkel::test
