#include "dialogs/ui/EffectDialogs.h"

#include <algorithm>
#include <memory>

#include "dialogs/CurveCommands.h"
#include "dialogs/ui/CEffectDialog.h"
#include "document/CTarkelDoc.h"
#include "sound/Selection.h"

namespace tarkel::ui {

bool RunEffectDialog(int commandId, CTarkelDoc& doc, const Selection& selection, QWidget* parent,
                     PreviewPlayer* player) {
  const std::span<const int> commands = EffectDialogCommands();
  if (std::find(commands.begin(), commands.end(), commandId) == commands.end()) return false;
  EffectDialogContext context;
  context.doc = &doc;
  context.first = selection.First();
  context.last = selection.Last(doc.Sound());
  context.mode = selection.Mode(doc.Sound());
  context.player = player;

  if (commandId == cmd::kGraphicEnvelope || commandId == cmd::kGraphicFilter) {
    const CurveKind kind = commandId == cmd::kGraphicEnvelope ? CurveKind::Envelope : CurveKind::Filter;
    CEffectDialog dialog(kind, context, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    return kind == CurveKind::Envelope
               ? RunEnvelopeCurve(doc, dialog.Curve(), context.first, context.last, context.mode, false)
               : RunFilterCurve(doc, dialog.Curve(), context.first, context.last, context.mode, false);
  }
  const DialogDecl* entry = FindDialogByCommand(commandId);
  if (!entry) return false;
  CEffectDialog dialog(*entry, context, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  DialogCommand command = dialog.Command();
  return RunDialogCommand(doc, command, context.first, context.last, context.mode);
}

}  // namespace tarkel::ui
