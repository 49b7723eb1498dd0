#pragma once
// The document's edit commands: each runs its operation through the document's edit wrapper
// with the undo record that fits it, and reports the region notice and the new selection.
#include <cstdint>

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

// Runs `command` on first..last in `mode`. True when the operation succeeded.
bool RunEditCommand(CTarkelDoc& doc, EditCommand command, uint32_t first, uint32_t last, ChannelMode mode,
                    const EditArgs& args = {}, EditCommandResult* result = nullptr);


}  // namespace tarkel
