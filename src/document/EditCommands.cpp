#include "document/EditCommands.h"

#include <algorithm>
#include <array>

#include "document/CTarkelDoc.h"
#include "editing/Clipboard.h"
#include "document/EditSplices.h"
#include "document/EditableFormat.h"
#include "editing/EditOperations.h"
#include "editing/EditSupport.h"
#include "editing/SampleFormatConversion.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"

namespace tarkel {
namespace {

// --- Outcomes shared by several operations ---------------------------------------------------

// An operation that may have changed the sound before failing.
EditOutcome Done(EditCommandResult& r, int64_t n) {
  r.frames = n;
  return n < 0 ? EditOutcome::FailedAfterChange() : EditOutcome::Done();
}

EditOutcome ChangedRange(EditCommandResult& r, int64_t n, const EditRange& g) {
  r.frames = n;
  return n < 0 ? EditOutcome::FailedAfterChange() : EditOutcome::Changed(g.first, g.last, g.mode);
}

EditOutcome NewSelection(EditCommandResult& r, uint32_t first, int64_t n, ChannelMode mode) {
  r.newSelection = true;
  r.selFirst = first;
  r.selLast = first + uint32_t(n) - 1;
  r.selMode = mode;
  return EditOutcome::Done();
}

using Result = EditCommandResult;
using RangeOperation = int64_t (*)(DocWaveAudio&, uint32_t, uint32_t, ChannelMode);

// An operation on the range that tells the region manager nothing.
template <RangeOperation Op>
EditOutcome RunDone(DocWaveAudio& w, const EditRange& g, const EditArgs&, Result& r) {
  return Done(r, Op(w, g.first, g.last, g.mode));
}

// An operation that removed or changed the range.
template <RangeOperation Op>
EditOutcome RunChanged(DocWaveAudio& w, const EditRange& g, const EditArgs&, Result& r) {
  return ChangedRange(r, Op(w, g.first, g.last, g.mode), g);
}

// The crossfade with the clipboard, limited to the selection or not.
template <bool Exactly>
EditOutcome RunCrossfade(DocWaveAudio& w, const EditRange& g, const EditArgs& a, Result& r) {
  CrossfadeParams params = a.crossfade;
  params.limitToSelection = Exactly ? 1 : 0;
  params.preview = false;
  return Done(r, CrossfadeClip(w, g.first, g.last, g.mode, params));
}

// --- Undo plans ---------------------------------------------------------------------------------

UndoRequest RemovesSelection(DocWaveAudio& w, const PlannedRange& p, const EditArgs&) {
  return UndoOfFrames(UndoKind::Removal, w, p.first, p.selection, p.mode);
}
UndoRequest ReplacesSelection(DocWaveAudio& w, const PlannedRange& p, const EditArgs&) {
  return UndoOfFrames(UndoKind::Replacement, w, p.first, p.selection, p.mode);
}
// Paste over, mix and crossfade: the clipboard's length, up to the end of the sound.
UndoRequest ReplacesClipLength(DocWaveAudio& w, const PlannedRange& p, const EditArgs&) {
  return UndoOfFrames(UndoKind::Replacement, w, p.first, std::min(ClipboardFramesQuietly(w, p.mode), p.toEnd), p.mode);
}
// Their "exactly" forms: the clipboard's length, up to the end of the selection.
UndoRequest ReplacesClipInSelection(DocWaveAudio& w, const PlannedRange& p, const EditArgs&) {
  return UndoOfFrames(UndoKind::Replacement, w, p.first, std::min(ClipboardFramesQuietly(w, p.mode), p.selection),
                      p.mode);
}

// --- The commands -------------------------------------------------------------------------------

using Entry = EditCommandEntry;

const auto& Entries() {
  static const std::array<Entry, 17> specs{{
      {EditCommand::Copy, "copy", false, nullptr,
       [](DocWaveAudio& w, const EditRange& g, const EditArgs&, Result& r) {
         const uint32_t n = CopyToClipboard(w, g.first, g.last, g.mode);
         r.frames = n ? int64_t(n) : -1;
         return EditOutcome{n != 0, false, std::nullopt};
       }},
      {EditCommand::Cut, "cut", false,
       &RemovesSelection,
       [](DocWaveAudio& w, const EditRange& g, const EditArgs&, Result& r) {
         const int64_t n = CutToClipboard(w, g.first, g.last, g.mode);
         r.frames = n;
         if (n < 0) return EditOutcome::FailedAfterChange();
         return EditOutcome::Changed(g.first, g.first + uint32_t(n) - 1, g.mode);
       }},
      {EditCommand::Paste, "paste", false,
       [](DocWaveAudio& w, const PlannedRange& p, const EditArgs&) {
         return UndoOfFrames(UndoKind::Insertion, w, p.first, ClipboardFramesQuietly(w, p.mode), p.mode);
       },
       [](DocWaveAudio& w, const EditRange& g, const EditArgs&, Result& r) {
         const int64_t n = InsertClip(w, g.first, g.last, g.mode);
         r.frames = n;
         if (n < 0) return EditOutcome::FailedAfterChange();
         NewSelection(r, g.first, n, g.mode);
         return EditOutcome::Inserted(g.first, g.first + uint32_t(n), g.mode);
       }},
      {EditCommand::PasteOver, "paste-over", false, &ReplacesClipLength, &RunDone<OverwriteClip>},
      {EditCommand::PasteOverExactly, "paste-over-exactly", false, &ReplacesClipInSelection,
       &RunDone<OverwriteClipExactly>},
      {EditCommand::Mix, "mix", false, &ReplacesClipLength, &RunDone<MixClip>},
      {EditCommand::MixExactly, "mix-exactly", false, &ReplacesClipInSelection, &RunDone<MixClipExactly>},
      {EditCommand::Crossfade, "crossfade", true, &ReplacesClipLength, &RunCrossfade<false>},
      {EditCommand::CrossfadeExactly, "", true, &ReplacesClipInSelection, &RunCrossfade<true>},
      {EditCommand::Trim, "trim", false,
       [](DocWaveAudio& w, const PlannedRange& p, const EditArgs&) {
         return UndoOfFrames(UndoKind::Trim, w, p.first, p.selection, p.mode);
       },
       &RunChanged<TrimRange>},
      {EditCommand::Delete, "delete", false, &RemovesSelection, &RunChanged<DeleteRange>},
      {EditCommand::Erase, "erase", false, &ReplacesSelection, &RunDone<EraseRange>},
      {EditCommand::InsertSilence, "insert-silence", true,
       [](DocWaveAudio& w, const PlannedRange& p, const EditArgs& a) {
         return UndoOfFrames(UndoKind::Insertion, w, p.first, a.frames, p.mode);
       },
       [](DocWaveAudio& w, const EditRange& g, const EditArgs& a, Result& r) {
         return Done(r, InsertSilence(w, g.first, a.frames, g.mode));
       }},
      // Run by the document's own change-length procedure (RunEditCommand), which resets the views.
      {EditCommand::ChangeLength, "length", true, nullptr, nullptr},
      // A new rate leaves the samples as they are: the whole sound is kept with its format.
      {EditCommand::Speed, "speed", true,
       [](DocWaveAudio& w, const PlannedRange&, const EditArgs&) {
         return UndoRequest::Of(UndoKind::Snapshot, 0, w.DataSize());
       },
       [](DocWaveAudio& w, const EditRange&, const EditArgs& a, Result& r) {
         r.frames = ChangeSpeed(w, a.rate) ? int64_t(w.Frames()) : -1;
         return r.frames < 0 ? EditOutcome::Failed() : EditOutcome::Done();
       }},
      {EditCommand::Move, "move", true,
       [](DocWaveAudio& w, const PlannedRange& p, const EditArgs& a) {
         UndoRequest undo = UndoOfFrames(UndoKind::MoveCopy, w, p.first, p.selection, p.mode);
         undo.auxPosition = w.FramesToBytes(std::min(a.destination, p.total));
         undo.auxValue = uint16_t(EffectiveDestinationMode(w, p.mode, a.destinationMode));
         undo.sourceSilenced = a.movedSource.value_or(PreferredMovedSource()) == MovedSource::Silenced;
         return undo;
       },
       [](DocWaveAudio& w, const EditRange& g, const EditArgs& a, Result& r) {
         uint32_t placed = 0;
         const int64_t n = MoveOrCopyRange(w, g.first, g.last, g.mode, a.destination, a.destinationMode, false, false,
                                           &placed, a.movedSource.value_or(PreferredMovedSource()));
         r.frames = n;
         if (n < 0) return EditOutcome::FailedAfterChange();
         NewSelection(r, placed, n, EffectiveDestinationMode(w, g.mode, a.destinationMode));
         return EditOutcome::Changed(g.first, g.last, g.mode);
       }},
      {EditCommand::CopyTo, "copy-to", true,
       [](DocWaveAudio& w, const PlannedRange& p, const EditArgs& a) {
         return UndoOfFrames(UndoKind::Insertion, w, std::min(a.destination, p.total), p.selection,
                             EffectiveDestinationMode(w, p.mode, a.destinationMode));
       },
       [](DocWaveAudio& w, const EditRange& g, const EditArgs& a, Result& r) {
         uint32_t placed = 0;
         const int64_t n = MoveOrCopyRange(w, g.first, g.last, g.mode, a.destination, a.destinationMode, true, false,
                                           &placed);
         r.frames = n;
         if (n < 0) return EditOutcome::FailedAfterChange();
         NewSelection(r, placed, n, EffectiveDestinationMode(w, g.mode, a.destinationMode));
         return EditOutcome::Changed(g.first, g.last, g.mode);
       }},
  }};
  return specs;
}

}  // namespace

const EditCommandEntry* FindEditCommand(EditCommand command) {
  for (const EditCommandEntry& s : Entries())
    if (s.command == command) return &s;
  return nullptr;
}

const EditCommandEntry* FindEditCommand(std::string_view name) {
  if (name.empty()) return nullptr;
  for (const EditCommandEntry& s : Entries())
    if (s.name == name) return &s;
  return nullptr;
}

bool RunEditCommand(CTarkelDoc& doc, EditCommand command, uint32_t first, uint32_t last, ChannelMode mode,
                    const EditArgs& args, EditCommandResult* result) {
  EditCommandResult local;
  EditCommandResult& r = result ? *result : local;
  r = {};
  if (!RequireFormatFor(doc.Sound(), command, mode)) return false;
  if (command == EditCommand::ChangeLength) {
    // The document's own change-length procedure resets the views to the new length.
    const bool ok = doc.ChangeLengthTo(args.frames);
    r.frames = ok ? int64_t(args.frames) : -1;
    return ok;
  }
  const EditCommandEntry* entry = FindEditCommand(command);
  if (!entry || !entry->run) return false;
  const UndoRequest undo = PlanUndo(doc.Sound(), command, first, last, mode, args);
  const EditRange range{first, last, mode};
  // The changes of length the edit made, for the positions kept from the file.
  return doc.RunEdit(undo, mode, [&](DocWaveAudio& wave) {
    const uint32_t framesBefore = wave.Frames();
    EditOutcome outcome = entry->run(wave, range, args, r);
    if (outcome.success) outcome.splices = SplicesOf(command, first, last, mode, framesBefore, wave.Frames(), r);
    return outcome;
  });
}

bool ChangeFormatCommand(CTarkelDoc& doc, bool data, ChannelMode mode) {
  DocWaveAudio& sound = doc.Sound();
  if (data && !sound.HasData()) {
    ShowMessage(msg::kNothingSelected);
    return false;
  }
  // The format is chosen before the sound is kept for undo: a cancelled choice leaves the
  // record of the change before as it was.
  WaveFormat chosen;
  if (!ChooseConversionFormat(chosen)) return false;
  const UndoRequest undo = UndoRequest::Of(UndoKind::Snapshot, 0, sound.DataSize());
  const bool ok = doc.RunEdit(undo, mode, [&](DocWaveAudio& wave) {
    if (!data) ChangeFormatWithoutDataTo(wave, chosen);
    const bool done = !data || ConvertSampleFormatTo(wave, chosen);
    return done ? EditOutcome::Done() : EditOutcome::Failed();
  });
  if (ok) doc.ResetViewsToLength();
  return ok;
}

}  // namespace tarkel
