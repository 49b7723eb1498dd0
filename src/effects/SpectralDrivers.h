#pragma once
// Drivers of the spectral block filters (ids 28 and 29): progress "Filter..." and
// "Equalizer...", preview copies as ApplyEffect makes them, both channels of a stereo sound
// filtered one after the other. Same contract as the drivers in EffectDrivers.h.
#include <cstdint>

#include "sound/ChannelMode.h"
#include "effects/EffectParams.h"

namespace tarkel {

class DocWaveAudio;

// p1 lower edge Hz, p2 upper edge Hz, p3 shape or gain inside (percent), p4 gain outside,
// param5 block length, param6 design kind; the driver fills real1..real6.
uint32_t ApplyNumericalFilter(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode,
                              EffectParams& params);
// real1..real5: band gains in percent (the driver multiplies by 0.01, sets param5 1024, design 2).
uint32_t ApplyEqualizer(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params);

}  // namespace tarkel
