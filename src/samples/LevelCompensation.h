#pragma once
// Level compensation after a mix: the peak before and after, and a volume change that brings the
// result back to the peak of its inputs.
#include <cstdint>

#include "samples/SampleLayout.h"

namespace tarkel {

class DocWaveAudio;

// The largest distance from the centre line (SampleLevel) over the region's samples.
uint32_t PeakOf(const SampleRegion& region);

// (before x 100) / after, 100 when they are equal, a zero divisor taken as 1.
int32_t CompensationLevel(uint32_t before, uint32_t after);

// Measures the peak of the result and changes the region's volume by the compensation level
// when it is not 100. False when cancelled.
bool CompensateLevel(DocWaveAudio& wave, const SampleRegion& region, uint32_t peakBefore);

}  // namespace tarkel
