#include "dialogs/DialogCommand.h"

#include <cstdlib>

#include "document/CTarkelDoc.h"
#include "document/EditCommands.h"
#include "editing/EditOperations.h"
#include "document/EffectCommands.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"
#include "effects/Equalizer.h"

namespace tarkel {
namespace {

void Store(EffectParams& p, RecordSlot slot, int32_t value) {
  switch (slot) {
    case RecordSlot::P1: p.param1 = value; break;
    case RecordSlot::P2: p.param2 = value; break;
    case RecordSlot::P3: p.param3 = value; break;
    case RecordSlot::P4: p.param4 = value; break;
    case RecordSlot::P5: p.param5 = value; break;
    case RecordSlot::P6: p.param6 = uint32_t(value); break;
    case RecordSlot::Real1: p.real1 = value; break;
    case RecordSlot::Real2: p.real2 = value; break;
    case RecordSlot::Real3: p.real3 = value; break;
    case RecordSlot::Real4: p.real4 = value; break;
    case RecordSlot::Real5: p.real5 = value; break;
    case RecordSlot::None: break;
  }
}

}  // namespace

DialogCommand BuildDialogCommand(const DialogValues& values) {
  const DialogDecl& dialogDecl = values.Entry();
  DialogCommand c;
  c.operation = dialogDecl.operation;
  EffectParams& p = c.request.params;
  p.effectId = dialogDecl.effectId;
  for (size_t i = 0; i < dialogDecl.params.size(); ++i) Store(p, dialogDecl.params[i].slot, values.RecordValue(i));

  switch (dialogDecl.operation) {
    case DialogOperation::ClipCrossfade:
      c.edit.crossfade.soundStartLevel = p.param1;
      c.edit.crossfade.soundEndLevel = p.param2;
      c.edit.crossfade.limitToSelection = p.param3;
      c.editCommand = p.param3 == 1 ? EditCommand::CrossfadeExactly : EditCommand::Crossfade;
      break;
    case DialogOperation::SampleSpeed:
      c.editCommand = EditCommand::Speed;
      c.edit.rate = uint32_t(std::strtoul(values.Text().c_str(), nullptr, 10));
      break;
    case DialogOperation::Effect:
      c.request.entry = FindEffect(dialogDecl.effectId);
      if (dialogDecl.effectId == effect::kEqualizer) p.param5 = int32_t(kEqualizerBlockLength);
      if (dialogDecl.effectId == effect::kDtmf) {
        // The digits in a buffer of 256 bytes, as the dialog keeps them.
        c.request.digits = values.Text().substr(0, 255);
        p.param2 = int32_t(c.request.digits.size());
        c.request.Bind();
      }
      break;
  }
  return c;
}

bool RunDialogCommand(CTarkelDoc& doc, DialogCommand& c, uint32_t first, uint32_t last, ChannelMode mode) {
  if (c.operation != DialogOperation::Effect) return RunEditCommand(doc, c.editCommand, first, last, mode, c.edit);
  c.request.Bind();
  return ApplyEffectCommand(doc, c.request, first, last, mode);
}

bool PreviewDialogCommand(CTarkelDoc& doc, DialogCommand& c, uint32_t first, uint32_t last, ChannelMode mode) {
  if (c.operation == DialogOperation::SampleSpeed) return false;
  if (c.operation == DialogOperation::ClipCrossfade) {
    CrossfadeParams params = c.edit.crossfade;
    params.preview = true;
    return CrossfadeClip(doc.Sound(), first, last, mode, params) > 0;
  }
  c.request.Bind();
  return PreviewEffectCommand(doc, c.request, first, last, mode);
}

}  // namespace tarkel
