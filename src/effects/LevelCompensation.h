#pragma once
// Level compensation after a mix: the peak before and after, and an amplitude change that brings
// the result back to the peak of its inputs.
#include <cstdint>

#include "sound/ChannelMode.h"

namespace tarkel {

class DocWaveAudio;

// The largest distance from the centre line over `frames` frames at `base` in the chosen
// channel(s): 8-bit b - 127 above the centre and 127 - b below it; 16-bit the absolute value.
uint32_t MeasurePeak(const DocWaveAudio& wave, ChannelMode mode, const uint8_t* base, uint32_t frames);

// (before x 100) / after, 100 when they are equal, a zero divisor taken as 1.
int32_t CompensationLevel(uint32_t before, uint32_t after);

// Measures the peak of the result and runs the amplitude change with the compensation level
// when it is not 100. False when cancelled.
bool CompensateLevel(DocWaveAudio& wave, ChannelMode mode, uint8_t* base, uint32_t frames, uint32_t peakBefore);

}  // namespace tarkel
