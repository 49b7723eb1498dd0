#pragma once
// What a dialog's OK and Preview do with its values: the effect record (or the edit arguments of
// the clipboard crossfade and the speed change) built exactly as OK builds it, and the document
// operation it is handed to.
#include <cstdint>

#include "dialogs/DialogValues.h"
#include "document/EditUndo.h"
#include "effects/EffectRequest.h"
#include "sound/ChannelMode.h"

namespace tarkel {

class CTarkelDoc;

struct DialogCommand {
  DialogOperation operation = DialogOperation::Effect;
  EffectRequest request;  // Effect: the record, preview flag 0
  EditCommand editCommand = EditCommand::Crossfade;
  EditArgs edit;          // ClipCrossfade, SampleSpeed
};

// The record of the dialog's values. For the DTMF dialog the digits are the values' text.
DialogCommand BuildDialogCommand(const DialogValues& values);

// Runs the command on first..last of `doc` in `mode` (undo, modified mark, views). True on success.
bool RunDialogCommand(CTarkelDoc& doc, DialogCommand& command, uint32_t first, uint32_t last, ChannelMode mode);
// Runs it as Preview does: the sound's preview image then holds the processed copy; the document
// is not changed and no undo is recorded. False for the speed change (its preview plays the
// document at a trial rate instead) and when the operation failed.
bool PreviewDialogCommand(CTarkelDoc& doc, DialogCommand& command, uint32_t first, uint32_t last, ChannelMode mode);

}  // namespace tarkel
