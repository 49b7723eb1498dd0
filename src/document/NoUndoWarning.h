#pragma once
// The warning of the "WarningIfNoUndo" preference: a change that no undo record can be taken
// for (no memory for the copy) goes on only when the user agrees.

namespace tarkel {

// One line, so that tarkel-cli prints it as one "message: TEXT" line.
inline constexpr const char* kNoUndoQuestion =
    "Not enough memory to keep Undo data for this change ! Continue without Undo?";

// True when the change may go on without an undo record: the preference is off, or the user
// answered Yes.
bool ConfirmChangeWithoutUndo();

}  // namespace tarkel
