#pragma once
// Level changes over a walk of samples: the linear fade and the constant amplitude change that
// the mix, the crossfade with the clipboard and their level compensation use, and the peak
// measurement behind the compensation.
//
// The fade and the amplitude change are the effects engine's Fade (id 13) and Amplitude change
// (id 20), run over the walk's bytes.
#include <cstdint>

#include "sound/ChannelMode.h"

namespace tarkel {

class DocWaveAudio;
class WaveAudio;

// Samples visited by one pass: sample i at first + i * stride.
struct SampleWalk {
  uint8_t* first = nullptr;
  uint32_t count = 0;
  uint32_t stride = 1;
  bool sixteen = false;
  // The same walk as the effects engine takes it: frame start, bytes and channel.
  uint8_t* base = nullptr;
  uint32_t bytes = 0;
  ChannelMode mode = ChannelMode::Mono;
};

// The walk over `bytes` of `wave`'s layout starting at `rangeStart` (the first byte of a frame):
// every sample in mono or both-channel mode, the chosen channel's samples in one-channel mode.
SampleWalk WalkOver(const WaveAudio& wave, uint8_t* rangeStart, uint32_t bytes, ChannelMode mode);
// The walk over `bytes` of mono data of the given width.
SampleWalk MonoWalk(uint8_t* data, uint32_t bytes, bool sixteen);

// Largest distance from the centre line over the walk (8-bit: from 127/128, 16-bit: absolute).
uint32_t PeakOf(const SampleWalk& walk);

// Level ramp from `startPercent` to `endPercent` over the walk, counting progress per sample.
// False when cancelled.
bool ApplyFade(DocWaveAudio& wave, const SampleWalk& walk, int32_t startPercent, int32_t endPercent);
// Constant gain of `percent`.
bool ApplyLevel(DocWaveAudio& wave, const SampleWalk& walk, int32_t percent);
// Applies the compensation level when it is not 100; true when nothing needed doing.
bool CompensateLevel(DocWaveAudio& wave, const SampleWalk& walk, uint32_t peakBefore);

}  // namespace tarkel
