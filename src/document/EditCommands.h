#pragma once
// The document's edit commands: each runs its operation through the document's edit wrapper
// with the undo record that fits it, and reports the region notice and the new selection. Every
// command is one descriptor: its tarkel-cli name, its undo plan and its operation.
#include <cstdint>
#include <string_view>

#include "sound/ChannelMode.h"
#include "document/EditUndo.h"

namespace tarkel {

class CTarkelDoc;

struct EditCommandResult {
  int64_t frames = -1;  // what the operation returned
  // A new selection (paste, move, copy-to): frames selFirst..selLast in selMode.
  bool newSelection = false;
  uint32_t selFirst = 0;
  uint32_t selLast = 0;
  ChannelMode selMode = ChannelMode::Both;
};

// The range an operation runs on: first..last inclusive in `mode`.
struct EditRange {
  uint32_t first = 0;
  uint32_t last = 0;
  ChannelMode mode = ChannelMode::Both;
};

struct EditCommandEntry {
  EditCommand command;
  // The name of tarkel-cli's --edit option; empty for a command reached through another's
  // arguments (the crossfade limited to the selection is "crossfade" with P3 = 1).
  std::string_view name;
  bool takesArgs = false;
  // The undo record to take before the operation; null: none.
  UndoRequest (*planUndo)(DocWaveAudio& wave, const PlannedRange& range, const EditArgs& args) = nullptr;
  // The operation on the sound.
  EditOutcome (*run)(DocWaveAudio& wave, const EditRange& range, const EditArgs& args, EditCommandResult& result) =
      nullptr;
};

// The descriptor of `command`, or of the command named `name` (null when none has that name).
const EditCommandEntry* FindEditCommand(EditCommand command);
const EditCommandEntry* FindEditCommand(std::string_view name);

// Runs `command` on first..last in `mode`. True when the operation succeeded.
bool RunEditCommand(CTarkelDoc& doc, EditCommand command, uint32_t first, uint32_t last, ChannelMode mode,
                    const EditArgs& args = {}, EditCommandResult* result = nullptr);

// "Convert Format and Data" (data true) or "Change Format w/o Data": the format chooser (a port)
// gives the new format; the sound is kept with its format for undo; the views are reset to the
// new length. True on success.
bool ChangeFormatCommand(CTarkelDoc& doc, bool data, ChannelMode mode);

}  // namespace tarkel
