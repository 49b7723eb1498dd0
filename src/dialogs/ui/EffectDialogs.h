#pragma once
// The shell's one entry point to the effect dialogs: the view's effect command opens its dialog
// on the view's selection and, after OK, runs the operation on the document.
#include <span>

#include "dialogs/DialogCatalogue.h"

class QWidget;

namespace tarkel {
class CTarkelDoc;
class PreviewPlayer;
class Selection;
}  // namespace tarkel

namespace tarkel::ui {

// Opens the dialog of `commandId` (one of EffectDialogCommands()) modally over `parent`; after
// OK applies it to `selection` of `doc`. True when the operation ran and succeeded; false after
// Cancel, for a command that is not a dialog's, or when the operation failed (it showed its own
// message). `player` plays the previews (null: Preview processes but plays nothing).
bool RunEffectDialog(int commandId, CTarkelDoc& doc, const Selection& selection, QWidget* parent,
                     PreviewPlayer* player);

}  // namespace tarkel::ui
