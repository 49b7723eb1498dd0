#pragma once
// Pieces every range driver shares: the range check, the progress window that compound
// operations share through the active flag, and the preview copy.
#include <cstdint>
#include <string>

#include "sound/ChannelMode.h"
#include "sound/ProgressScope.h"

namespace tarkel {

class DocWaveAudio;

// Checks that the sound holds 8- or 16-bit PCM samples and that first..last is a range of at
// least two frames; clips `last` to the sound's last frame. Shows 1000 and returns false otherwise.
bool CheckEffectRange(DocWaveAudio& wave, uint32_t first, uint32_t& last);
// The same, also making `mode` fit the sound: a mono sound is always walked as mono, and a stereo
// sound given the mono mode is walked as both channels.
bool CheckEffectRange(DocWaveAudio& wave, uint32_t first, uint32_t& last, ChannelMode& mode);

// Copies frames first..last into a new preview image (header written for the sound's format)
// and returns its data start; null after message 1010 when the block cannot be allocated.
uint8_t* MakePreviewCopy(DocWaveAudio& wave, uint32_t first, uint32_t last);
// Frees the preview image after a failed driver.
void DiscardPreview(DocWaveAudio& wave);

// Where a driver works: the sound's frame `first`, or the start of a fresh preview copy.
// Null after a message when the copy cannot be made.
uint8_t* WorkingMemory(DocWaveAudio& wave, uint32_t first, uint32_t last, bool preview);

}  // namespace tarkel
