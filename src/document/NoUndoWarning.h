#pragma once
// The warning of the "WarningIfNoUndo" preference: a change that no undo record can be taken
// for (no memory for the copy) goes on only when the user agrees.

namespace tarkel {

inline constexpr const char* kNoUndoQuestion =
    "Not enough memory to keep Undo data for this change !\nContinue without Undo?";

// True when the change may go on without an undo record: the preference is off, or the user
// answered Yes.
bool ConfirmChangeWithoutUndo();

}  // namespace tarkel
