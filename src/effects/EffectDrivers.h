#pragma once
// The range drivers of the effects engine. Each takes the document's sound, the first and last
// frame (inclusive) and the ChannelMode; each shows its own message on failure and returns the
// number of frames processed (or, where said, the new length), 0 on failure or cancel. With
// `params.preview` set they work on a copy in wave.PreviewImage() and leave the sound alone.
#include <cstdint>
#include <vector>

#include "sound/ChannelMode.h"
#include "effects/EffectParams.h"

namespace tarkel {

class DocWaveAudio;

// The general driver for ids 0-8, 13-15, 20-24 and 27: delays in bytes, passes, preview copy.
uint32_t ApplyEffect(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params);

// One segment of a graphical envelope: a fade from p1 to p2 percent over first..last, one of
// p3 segments of one operation (the progress window lives from the first segment to the last).
uint32_t ApplyEnvelope(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params);

// An envelope point: x in the editor's units 0..width, y in percent from the top.
struct EnvelopePoint {
  int32_t x = 0;
  int32_t y = 0;
};
// The whole envelope over the selection: one ApplyEnvelope per pair of neighbouring points
// (points sorted by x). Fewer than two points, or a width of 0, do nothing and succeed.
uint32_t ApplyEnvelopePoints(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, int32_t width,
                             const std::vector<EnvelopePoint>& points, bool preview);

uint32_t ReverseRange(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params);
uint32_t ConvertSignedness(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params);
uint32_t NormalizeRange(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params);

// Stereo operations (the channel mode is ignored: they work on both channels).
uint32_t SwapChannels(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params);
uint32_t MatchChannels(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params);
// Channel crossfade (id 10): p1, p2 levels, p3 segments, p4 = 1 swaps the channels after the range.
uint32_t CrossoverChannels(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params);
// Fusion (id 26): crossfades the two halves of the range into the first and removes the second
// (not in a preview). Returns the frames of the range.
uint32_t CrossfadeHalves(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params);

// Negates every sample of first..last in the chosen channel(s). No progress window.
uint32_t InvertRange(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode);

}  // namespace tarkel
