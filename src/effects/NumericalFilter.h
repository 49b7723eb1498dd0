#pragma once
// The spectral pass shared by the numerical filter (id 28) and the equalizer (id 29).
#include <cstdint>
#include <vector>

#include "sound/ChannelMode.h"
#include "effects/EffectParams.h"
#include "effects/SpectralFilter.h"

namespace tarkel {

class DocWaveAudio;

// The gain curve of the record's design kind (param6) for a block of `blockLength`: 0 Gaussian
// (real3 centre, real6 spread), 1 band (real1 < f < real2: p3 percent, else p4 percent),
// 2 equalizer (real1 ... real5 band gains as factors).
std::vector<double> FilterGains(const EffectParams& params, uint32_t blockLength, uint32_t rate);

// Filters `count` samples of one lane with the record's design, counting every written sample
// as progress. False when cancelled, or after message 1010 when the work area cannot be had.
bool FilterLane(DocWaveAudio& wave, const EffectParams& params, const SampleLane16& lane, uint64_t count);

// The driver part both share: progress window `caption`, preview copy, then the filter over the
// range: one channel, both channels one after the other (left, then right), or all samples of a
// mono sound. `params` is ready for id 28. Returns the frames of the range, 0 on failure.
uint32_t RunSpectralFilter(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode,
                           EffectParams& params, const char* caption);

}  // namespace tarkel
