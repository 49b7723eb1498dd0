#pragma once
// What each edit command records for undo before it changes the sound: the undo kind and the
// byte range (and for a move the other end), computed from the same limits that the
// operation itself applies, so that undo gives back exactly what the edit changed.
#include <cstdint>

#include "sound/ChannelMode.h"
#include "editing/EditOperations.h"

namespace tarkel {

class DocWaveAudio;

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

// Undo kinds: 0 removal, 1 insertion, 2 replacement, 3 whole sound, 4 move or copy.
inline constexpr int32_t kUndoRemoval = 0;
inline constexpr int32_t kUndoInsertion = 1;
inline constexpr int32_t kUndoReplacement = 2;
inline constexpr int32_t kUndoWholeSound = 3;
inline constexpr int32_t kUndoMoveCopy = 4;

struct EditUndoPlan {
  bool save = false;  // false: the command records nothing
  int32_t kind = 0;
  uint32_t start = 0;  // bytes
  uint32_t end = 0;
  ChannelMode mode = ChannelMode::Both;
  uint32_t auxPosition = 0;
  uint16_t auxValue = 0;
};

// Extra arguments of the commands that take them.
struct EditArgs {
  uint32_t frames = 0;       // insert silence: frames to insert; change length: the new length
  uint32_t rate = 0;         // speed: the new sampling rate
  uint32_t destination = 0;  // move, copy-to: target frame
  ChannelMode destinationMode = ChannelMode::Both;
  CrossfadeParams crossfade;  // crossfade: the dialog's levels (p3 chooses Crossfade or CrossfadeExactly)
};

// The record to take before `command` runs on first..last in `mode`. Looks at the clipboard
// for the paste-type commands (without showing anything: the operation reports its own
// failures).
EditUndoPlan PlanUndo(DocWaveAudio& wave, EditCommand command, uint32_t first, uint32_t last, ChannelMode mode,
                      const EditArgs& args = {});

}  // namespace tarkel
