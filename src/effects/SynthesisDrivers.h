#pragma once
// Driver of DTMF tone dialing (id 25): p1 level, `params.digits` the digit string (param2 holds
// its length). Tone synthesis (id 14) needs no driver of its own: it runs through ApplyEffect.
#include <cstdint>

#include "sound/ChannelMode.h"
#include "effects/EffectParams.h"

namespace tarkel {

class DocWaveAudio;

uint32_t SynthesizeDtmf(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params);

}  // namespace tarkel
