#pragma once
// The value one pixel column of the waveform stands for: of the values the column looks at, the
// one farthest from zero, on the 16-bit scale.
#include <cstdint>

#include "view/SampleSpan.h"

namespace tarkel {

// Interleaved values a column peak looks at: a tenth of the column's frames when the display
// integrates (the setting "IntegratedDisplay"), else 2; never 0.
uint32_t ScanCountFor(uint32_t framesPerColumn, bool integratedDisplay);

// The peak of `channel` (1 or 2) for the column that starts at `frame`: the values at interleaved
// index (frame x 2 for more than one channel, else frame) + channel - 1 and every second value
// after it, while the offset stays below `scanCount`. The largest magnitude wins, the first of
// equal ones; 8-bit values count about 128 and come back multiplied by 256. A column whose scan
// would reach the end of the sound shows 0.
int16_t ColumnPeak(const SampleSpan& sound, uint32_t frame, uint16_t channel, uint32_t scanCount);

// Both channels' peaks of a 16-bit stereo column in one pass over its values (the same results
// as ColumnPeak for channels 1 and 2).
void StereoColumnPeaks(const SampleSpan& sound, uint32_t frame, uint32_t scanCount, int16_t peaks[2]);

}  // namespace tarkel
