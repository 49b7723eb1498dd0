#pragma once
// The scope's maths: which frames it shows around the play position and the waveform of one
// channel over them reduced to one vertical stroke per display column.
#include <cstdint>
#include <vector>

#include "monitors/SampleBlock.h"

namespace tarkel {

// The scope shows a twentieth of a second, centred on the play position.
inline constexpr uint32_t kScopeSpanDivisor = 20;
uint32_t ScopeSpanFrames(uint32_t rate);

struct ScopeColumn {
  float low = 0.0f;   // fractions of full scale, -1 .. 1
  float high = 0.0f;
};

// `columns` strokes over the `frames` frames from `firstFrame` of `channel` (frames outside the
// sound are silence). High quality takes the lowest and highest sample of each column's frames;
// otherwise each column shows the one sample at its start.
void TraceScope(const SampleBlock& sound, int64_t firstFrame, uint32_t frames, uint16_t channel, int columns,
                bool highQuality, std::vector<ScopeColumn>& out);

}  // namespace tarkel
