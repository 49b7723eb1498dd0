#pragma once
// The effect commands with dialogs: enabled on a document with a sound (the synthesis and filter
// dialogs only on a selected range of 16-bit samples), they open the dialog on the active view's
// selection, with previews through the program's transport.
#include "app/CommandTable.h"

namespace tarkel::app {

CommandState EffectCommandState(const CommandContext& context, int id);
void RunEffectCommand(CommandContext& context, int id);

}  // namespace tarkel::app
