#include "editing/EditCommands.h"

#include "document/CTarkelDoc.h"
#include "editing/Clipboard.h"
#include "editing/EditableFormat.h"
#include "editing/EditSplices.h"
#include "editing/EditOperations.h"

namespace tarkel {
namespace {

UndoRequest RequestFor(const EditUndoPlan& plan) {
  if (!plan.save) return UndoRequest::None();
  return UndoRequest::Of(UndoKind(plan.kind), plan.start, plan.end, plan.auxPosition, plan.auxValue);
}

}  // namespace

bool RunEditCommand(CTarkelDoc& doc, EditCommand command, uint32_t first, uint32_t last, ChannelMode mode,
                    const EditArgs& args, EditCommandResult* result) {
  EditCommandResult local;
  EditCommandResult& r = result ? *result : local;
  r = {};
  if (!RequireFormatFor(doc.Sound(), command, mode)) return false;
  const EditUndoPlan plan = PlanUndo(doc.Sound(), command, first, last, mode, args);
  const ChannelMode undoMode = plan.save ? plan.mode : mode;

  auto op = [&](DocWaveAudio& wave) -> EditOutcome {
    auto changedOutcome = [&](int64_t n) {
      r.frames = n;
      return n < 0 ? EditOutcome::FailedAfterChange() : EditOutcome::Changed(first, last, mode);
    };
    auto doneOutcome = [&](int64_t n) {
      r.frames = n;
      return n < 0 ? EditOutcome::FailedAfterChange() : EditOutcome::Done();
    };
    switch (command) {
      case EditCommand::Copy: {
        const uint32_t n = CopyToClipboard(wave, first, last, mode);
        r.frames = n ? int64_t(n) : -1;
        return EditOutcome{n != 0, false, std::nullopt, {}};
      }
      case EditCommand::Cut: {
        const int64_t n = CutToClipboard(wave, first, last, mode);
        r.frames = n;
        if (n < 0) return EditOutcome::FailedAfterChange();
        return EditOutcome::Changed(first, first + uint32_t(n) - 1, mode);
      }
      case EditCommand::Paste: {
        const int64_t n = InsertClip(wave, first, last, mode);
        r.frames = n;
        if (n < 0) return EditOutcome::FailedAfterChange();
        r.newSelection = true;
        r.selFirst = first;
        r.selLast = first + uint32_t(n) - 1;
        r.selMode = mode;
        return EditOutcome::Inserted(first, first + uint32_t(n), mode);
      }
      case EditCommand::PasteOver: return doneOutcome(OverwriteClip(wave, first, last, mode));
      case EditCommand::PasteOverExactly: return doneOutcome(OverwriteClipExactly(wave, first, last, mode));
      case EditCommand::Mix: return doneOutcome(MixClip(wave, first, last, mode));
      case EditCommand::MixExactly: return doneOutcome(MixClipExactly(wave, first, last, mode));
      case EditCommand::Crossfade:
      case EditCommand::CrossfadeExactly: {
        CrossfadeParams params = args.crossfade;
        params.limitToSelection = command == EditCommand::CrossfadeExactly ? 1 : 0;
        params.preview = false;
        return doneOutcome(CrossfadeClip(wave, first, last, mode, params));
      }
      case EditCommand::Trim: return changedOutcome(TrimRange(wave, first, last, mode));
      case EditCommand::Delete: return changedOutcome(DeleteRange(wave, first, last, mode));
      case EditCommand::Erase: return doneOutcome(EraseRange(wave, first, last, mode));
      case EditCommand::InsertSilence: return doneOutcome(InsertSilence(wave, first, args.frames, mode));
      case EditCommand::ChangeLength:
        r.frames = ChangeLength(wave, args.frames) ? int64_t(args.frames) : -1;
        return r.frames < 0 ? EditOutcome::Failed() : EditOutcome::Done();
      case EditCommand::Speed:
        r.frames = ChangeSpeed(wave, args.rate) ? int64_t(wave.Frames()) : -1;
        return r.frames < 0 ? EditOutcome::Failed() : EditOutcome::Done();
      case EditCommand::Move:
      case EditCommand::CopyTo: {
        uint32_t placed = 0;
        const bool copy = command == EditCommand::CopyTo;
        const int64_t n = MoveOrCopyRange(wave, first, last, mode, args.destination, args.destinationMode, copy,
                                          false, &placed);
        r.frames = n;
        if (n < 0) return EditOutcome::FailedAfterChange();
        r.newSelection = true;
        r.selFirst = placed;
        r.selLast = placed + uint32_t(n) - 1;
        r.selMode = EffectiveDestinationMode(wave, mode, args.destinationMode);
        return EditOutcome::Changed(first, last, mode);
      }
    }
    return EditOutcome::Failed();
  };
  // The changes of length the edit made, for the positions kept from the file.
  auto opWithSplices = [&](DocWaveAudio& wave) {
    const uint32_t framesBefore = wave.Frames();
    EditOutcome outcome = op(wave);
    if (outcome.success) outcome.splices = SplicesOf(command, first, last, mode, framesBefore, wave.Frames(), r);
    return outcome;
  };
  if (command == EditCommand::ChangeLength) {
    // The document's own change-length procedure resets the views to the new length.
    const bool ok = doc.SetLength(args.frames);
    r.frames = ok ? int64_t(args.frames) : -1;
    return ok;
  }
  return doc.RunEdit(RequestFor(plan), undoMode, opWithSplices);
}

}  // namespace tarkel
