#pragma once
// Which sounds the edit operations and effects may change. They read and write sample values
// of the editor's own format only: PCM with 8 or 16 bits in one or two channels. A sound held
// in another format must be converted first ("Convert Format and Data"); of it, only whole
// frames may be moved about (copy, cut, delete, trim, move, copy-to, the rate), and only when
// its blocks are frames.
#include "sound/ChannelMode.h"
#include "sound/WaveFormat.h"
#include "document/EditUndo.h"

namespace tarkel {

class WaveAudio;

bool IsEditableFormat(const WaveFormat& format);
// Shows message 1021 and returns false when the sound's samples cannot be changed.
bool RequireEditableFormat(const WaveAudio& wave);
// The same for an edit command, which may move whole frames of a held format.
bool RequireFormatFor(const WaveAudio& wave, EditCommand command, ChannelMode mode);

}  // namespace tarkel
