#pragma once
// The level ramp: the gain moves by one unit of 1/L every u samples from a start level to an end
// level, L being the samples of the walk. The effects' fade and volume change run it, and so do
// the mix, the crossfade with the clipboard and the level compensation.
#include <cstdint>

#include "samples/SampleLayout.h"

namespace tarkel {

class DocWaveAudio;

// Ramps the walk's samples from `startPercent` to `endPercent` (negative levels count as 0),
// counting progress per sample on `wave`. False when cancelled.
template <class L>
bool RampLevel(DocWaveAudio& wave, const Walk<L>& walk, int32_t startPercent, int32_t endPercent);

// The same over a region; an empty region shows message 1000 and fails, as the engine does.
bool RampLevel(DocWaveAudio& wave, const SampleRegion& region, int32_t startPercent, int32_t endPercent);

}  // namespace tarkel
