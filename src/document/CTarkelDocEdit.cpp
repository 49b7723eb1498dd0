// The document's edit wrapper, the Undo command and the change-length procedure.
#include <cstdint>

#include "document/CTarkelDoc.h"
#include "document/DocumentHooks.h"
#include "document/EditJournal.h"
#include "document/NoUndoWarning.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "fileformats/MarkerShift.h"

namespace tarkel {

bool CTarkelDoc::RunEdit(const UndoRequest& undo, ChannelMode mode,
                         const std::function<EditOutcome(DocWaveAudio&)>& op) {
  if (sound_.IsLoading()) return false;  // the background read still owns the data
  WaitCursor wait;
  // A sound edited in place journals what the change may alter before it runs.
  InPlaceChange inPlace(sound_, JournalSpanOf(undo, sound_.DataSize()));
  if (!inPlace.Begin()) return false;
  UndoStore& store = TheUndoStore();
  bool recorded = false;
  if (undo.take) {
    store.SetDataBase(sound_.Data());
    // No record (undo off) does not stop the edit.
    recorded = store.SaveUndo(this, undo.startByte, undo.endByte, undo.channel.value_or(mode), undo.kind,
                              undo.auxPosition, undo.auxValue, undo.sourceSilenced);
    // No memory for the undo copy: the change goes on only when the user agrees.
    if (!recorded && store.CopyFailed() && !ConfirmChangeWithoutUndo()) return false;
  }
  std::optional<FileChunks> chunksBefore;
  if (recorded) chunksBefore = sound_.Chunks();
  EditOutcome outcome = op ? op(sound_) : EditOutcome::Failed();
  // A change that left no record of its own leaves an older record of this document describing
  // a sound that is no longer there: applying it would put bytes in the wrong places.
  if (outcome.changed && !recorded) store.DropSavedOf(this);
  if (outcome.changed) undoChunks_ = std::move(chunksBefore);
  // Cue points, loops and labels kept from the file move with the frames they mark.
  if (outcome.success)
    for (const FrameSplice& splice : outcome.splices) ApplySplice(sound_.Chunks(), splice);
  if (!inPlace.Finish()) outcome.success = false;
  if (outcome.notice) {
    regionNotice_ = *outcome.notice;
    SendRegionNotice();
  }
  UpdateAllViews();
  if (outcome.changed) SetModified(true);
  return outcome.success;
}

void CTarkelDoc::NotifyRegions(uint32_t start, uint32_t end, ChannelMode mode, int32_t restore) {
  regionNotice_ = RegionNotice{start, end, mode, restore};
  SendRegionNotice();
}

void CTarkelDoc::SendRegionNotice() {
  if (RegionSink* regions = TheDocumentHooks().regionSink) regions->OnRegionChanged(regionNotice_, *this);
}

bool CTarkelDoc::UndoLastChange() {
  if (sound_.IsLoading()) return false;
  WaitCursor wait;
  UndoStore& store = TheUndoStore();
  if (!store.HasUndo(this)) return false;
  InPlaceChange inPlace(sound_, JournalSpanOf(store.Kind(), store.Start(), store.End(), store.AuxPosition(),
                                              sound_.DataSize()));
  if (!inPlace.Begin()) return false;
  store.SetDataBase(sound_.Data());
  const uint32_t framesBefore = sound_.Frames();
  const uint16_t channelsBefore = sound_.Channels();
  if (!store.Undo(this)) return false;
  if (undoChunks_) {
    sound_.Chunks() = std::move(*undoChunks_);
    undoChunks_.reset();
  }
  const bool flushed = inPlace.Finish();
  if (sound_.Frames() != framesBefore || sound_.Channels() != channelsBefore) ResetViewsToLength();
  UpdateAllViews();
  // The sound now differs from what was last saved or changed.
  SetModified(true);
  return flushed;
}

// --- Length -----------------------------------------------------------------------------------

bool CTarkelDoc::ChangeLength() { return ChangeLengthFrom(sound_.Frames(), true); }

bool CTarkelDoc::ChangeLengthTo(uint32_t frames) {
  // Shrinking loses the end and growing adds to it: the whole sound is kept for undo.
  const UndoRequest undo = UndoRequest::Of(UndoKind::Snapshot, 0, sound_.DataSize());
  return RunEdit(undo, ChannelMode::Both, [&](DocWaveAudio&) {
    return SetLength(frames) ? EditOutcome::Done() : EditOutcome::Failed();
  });
}

bool CTarkelDoc::ChangeLengthFrom(uint32_t proposedFrames, bool withUndo) {
  uint32_t frames = proposedFrames;
  if (const auto& ask = TheDocumentHooks().askLength) {
    const std::optional<uint32_t> entered = ask(*this, proposedFrames);
    if (!entered) return false;
    frames = *entered;
  }
  return withUndo ? ChangeLengthTo(frames) : SetLength(frames);
}

bool CTarkelDoc::SetLength(uint32_t frames) { return ResizeTo(uint64_t(frames) * sound_.BlockAlign()); }

bool CTarkelDoc::GrowBy(uint32_t bytes) { return ResizeTo(uint64_t(sound_.DataSize()) + bytes); }

// The change-length procedure: new bytes are silence; the views follow the new length.
bool CTarkelDoc::ResizeTo(uint64_t bytes) {
  if (sound_.IsLoading()) return false;
  const uint32_t framesBefore = sound_.Frames();
  if (bytes > UINT32_MAX) {
    ShowMessage(msg::kNotEnoughMemory);
    return false;
  }
  InPlaceChange inPlace(sound_, JournalSpanOfLength(uint32_t(bytes), sound_.DataSize()));
  if (!inPlace.Begin()) return false;
  if (!sound_.ResizeData(uint32_t(bytes))) {
    ShowMessage(msg::kNotEnoughMemory);
    return false;
  }
  // Positions kept from the file that the shorter sound no longer holds are dropped.
  if (sound_.Frames() < framesBefore)
    ApplySplice(sound_.Chunks(), {sound_.Frames(), framesBefore - sound_.Frames(), 0});
  const bool flushed = inPlace.Finish();
  ResetViewsToLength();
  UpdateAllViews();
  RefreshTitle();
  SetModified(true);
  return flushed;
}

}  // namespace tarkel
