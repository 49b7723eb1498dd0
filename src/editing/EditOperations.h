#pragma once
// The edit operations on a document's sound. Positions are frames, first and last inclusive.
#include <cstdint>

#include "document/ChannelMode.h"

namespace tarkel {

class DocWaveAudio;

// Removes frames first..last (in one channel: moves that channel's later samples down and
// silences the freed end). Returns the frames removed, or -1.
int64_t DeleteRange(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode);

// Moves or copies frames first..last of channel `sourceMode` to frame `destination` of channel
// `destinationMode` (drag and drop). `finalStep` is set when the call reverses an earlier move.
// Returns the frames moved, or -1.
int64_t MoveOrCopyRange(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode sourceMode,
                        uint32_t destination, ChannelMode destinationMode, bool copy, bool finalStep);

}  // namespace tarkel
