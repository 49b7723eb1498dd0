#pragma once
// The edit commands, their arguments, and what each records for undo before it changes the sound:
// the undo kind and the byte range (and for a move the other end), computed from the same limits
// that the operation itself applies, so that undo gives back exactly what the edit changed. The
// reversal of each kind lives beside this in the undo store.
#include <cstdint>
#include <optional>

#include "sound/ChannelMode.h"
#include "editing/EditOperations.h"
#include "document/CTarkelDoc.h"

namespace tarkel {

class DocWaveAudio;
class WaveAudio;

enum class EditCommand {
  Copy,
  Cut,
  Paste,
  PasteOver,
  PasteOverExactly,
  Mix,
  MixExactly,
  Crossfade,
  CrossfadeExactly,  // crossfade limited to the selection (p3 = 1)
  Trim,
  Delete,
  Erase,
  InsertSilence,
  ChangeLength,
  Speed,
  Move,
  CopyTo,
};

// Extra arguments of the commands that take them.
struct EditArgs {
  uint32_t frames = 0;       // insert silence: frames to insert; change length: the new length
  uint32_t rate = 0;         // speed: the new sampling rate
  uint32_t destination = 0;  // move, copy-to: target frame
  ChannelMode destinationMode = ChannelMode::Both;
  CrossfadeParams crossfade;  // crossfade: the dialog's levels (p3 chooses Crossfade or CrossfadeExactly)
  // Move: what the source becomes; unset follows the drag-and-drop preference.
  std::optional<MovedSource> movedSource;
};

// The range a command is planned for, limited to the sound.
struct PlannedRange {
  uint32_t first = 0;
  uint32_t selection = 0;  // frames of first..last inside the sound
  uint32_t toEnd = 0;      // frames from first to the end of the sound
  uint32_t total = 0;      // frames of the sound
  ChannelMode mode = ChannelMode::Both;
};

// The record of a change of `frames` frames from `first` in `mode`; none when `frames` is 0.
UndoRequest UndoOfFrames(UndoKind kind, const WaveAudio& wave, uint32_t first, uint32_t frames, ChannelMode mode);
// Frames of clipboard data that a paste in `mode` would take; 0 when the clipboard cannot be
// used. Shows nothing: the operation reports its own failures.
uint32_t ClipboardFramesQuietly(DocWaveAudio& wave, ChannelMode mode);

// The record to take before `command` runs on first..last in `mode`, as the command's descriptor
// plans it; none for a range the sound does not hold.
UndoRequest PlanUndo(DocWaveAudio& wave, EditCommand command, uint32_t first, uint32_t last, ChannelMode mode,
                     const EditArgs& args = {});

}  // namespace tarkel
