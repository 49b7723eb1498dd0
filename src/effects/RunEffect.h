#pragma once
// The effects engine: one processing routine over the sample layouts.
#include <cstdint>

#include "sound/ChannelMode.h"
#include "effects/EffectParams.h"

namespace tarkel {

class DocWaveAudio;

// Runs effect `params.effectId` over `byteCount` bytes of `wave`'s layout. `target` (and, for the
// delay family and the digital delay, `source`) point at a frame of sample memory or of the
// preview copy; for ChannelMode::Right the engine moves both to the right channel's sample.
// The delay family's pointers are at the last frame and walk backwards; all others walk forwards
// from `target`. An id that the layout's branch does not implement shows its "Not implemented
// yet (...)" text and fails without change. Returns 1 when done, 0 when cancelled, not
// implemented for the layout, or when `byteCount` is 0 (message 1000).
int RunEffect(DocWaveAudio& wave, ChannelMode mode, uint32_t byteCount, EffectParams& params,
              const uint8_t* source, uint8_t* target);

}  // namespace tarkel
