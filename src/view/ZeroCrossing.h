#pragma once
// Snapping a selection end to the nearest zero crossing of the waveform.
#include <cstdint>

#include "view/SampleSpan.h"

namespace tarkel {

enum class SnapSide { Start, End };

// From frame `frame`, steps through the interleaved values (backward for the start side, forward
// for the end side, channels alternating) to the first value that is zero or lies on the other
// side of zero than the first one (for 8-bit data: the byte 127, or the other side of 127/128).
// Returns the frame of the value found; stops at the sound's ends.
uint32_t SnapToZeroCrossing(const SampleSpan& sound, uint32_t frame, SnapSide side);

}  // namespace tarkel
