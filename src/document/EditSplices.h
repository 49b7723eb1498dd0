#pragma once
// The changes of length an edit command made, as the positions kept from a sound's file
// (cue points, loops, labelled regions) must follow them. Edits of one channel of a stereo
// sound keep the length of the other and so move no positions (but trimming one channel
// keeps only its range).
#include <cstdint>
#include <vector>

#include "sound/ChannelMode.h"
#include "sound/FileChunks.h"
#include "document/EditCommands.h"
#include "document/EditUndo.h"

namespace tarkel {

// `result` is what the command reported; the frame counts are the sound's before and after.
std::vector<FrameSplice> SplicesOf(EditCommand command, uint32_t first, uint32_t last, ChannelMode mode,
                                   uint32_t framesBefore, uint32_t framesAfter, const EditCommandResult& result);

}  // namespace tarkel
