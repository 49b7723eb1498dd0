#pragma once
// What the waveform view asks of the document and the edit operations: the freehand pencil's
// undo record and samples, and the move or copy of a dragged selection. The one place where the
// view reaches into the core's editing.
#include <cstdint>
#include <optional>

#include "sound/ChannelMode.h"

namespace tarkel {

class CTarkelDoc;

// Saves frames first..end (not including end) of both channels for undo before a freehand
// stroke changes them.
void SaveFreehandUndo(CTarkelDoc& doc, uint32_t first, uint32_t end);

// The sample value a freehand stroke draws for a pointer `offset` pixels below the channel's zero
// line in a wave area `height` pixels high: 16-bit values, or bytes about 128, limited to their
// range.
int32_t FreehandValue(int offset, int height, uint16_t channels, uint16_t bits);

// Writes `value` into frame `frame`: into every channel, or only into `channel` (1 or 2). Marks
// the document modified. False outside the sound.
bool WriteFreehandSample(CTarkelDoc& doc, uint32_t frame, uint16_t channel, bool everyChannel, int32_t value);

// After the selection's end was set anew (mouse released, a key): when `doc` is the document
// now playing, its playback starts again on first..last.
void RestartPlaybackOnSelection(CTarkelDoc& doc, uint32_t first, uint32_t last);

// A dragged selection: frames first..last (made even) of `mode` in `document`.
struct DraggedRange {
  CTarkelDoc* document = nullptr;
  uint32_t first = 0;
  uint32_t last = 0;
  ChannelMode mode = ChannelMode::Both;
};

// What a drop did: the new selection of the target (the placed frames), and whether the source
// lost its frames (a move out of another document).
struct DropOutcome {
  bool done = false;
  std::optional<uint32_t> selFirst;
  uint32_t selLast = 0;
  ChannelMode selMode = ChannelMode::Both;
};

// Drops `source` at frame `target` of channels `targetMode` of `doc`: within one document a move
// or copy in place; between documents the source is cut (move) or copied to the clipboard and
// the clipboard pasted at the target.
DropOutcome DropRange(const DraggedRange& source, CTarkelDoc& doc, uint32_t target, ChannelMode targetMode, bool copy);

}  // namespace tarkel
