#include "effects/EffectCommands.h"

#include <algorithm>

#include "document/CTarkelDoc.h"
#include "document/UndoStore.h"
#include "editing/EditableFormat.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"

namespace tarkel {
namespace {

// Runs the request's driver on `wave`. Returns the driver's frame count (0: failed).
uint32_t RunDriver(DocWaveAudio& wave, EffectRequest& r, uint32_t first, uint32_t last, ChannelMode mode) {
  r.Bind();
  switch (r.operation) {
    case EffectOperation::Invert: return InvertRange(wave, first, last, mode);
    case EffectOperation::Swap: return SwapChannels(wave, first, last, mode, r.params);
    case EffectOperation::Match: return MatchChannels(wave, first, last, mode, r.params);
    case EffectOperation::Envelope:
      return ApplyEnvelopePoints(wave, first, last, mode, r.envelopeWidth, r.points, r.params.preview != 0);
    case EffectOperation::Table: return r.entry && r.entry->driver ? r.entry->driver(wave, first, last, mode, r.params) : 0;
  }
  return 0;
}

// The bytes the command may change: the range, or for a crossfade that swaps the channels after
// it, everything from the range to the end of the sound.
UndoRequest UndoFor(const DocWaveAudio& wave, const EffectRequest& r, uint32_t first, uint32_t last) {
  const uint32_t size = wave.DataSize();
  const uint64_t start = uint64_t(first) * wave.BlockAlign();
  uint64_t end = (uint64_t(last) + 1) * wave.BlockAlign();
  if (r.operation == EffectOperation::Table && r.entry && r.entry->id == effect::kCrossover && r.params.param4 == 1)
    end = size;
  if (end > size) end = size;
  return UndoRequest::Of(UndoKind::Replacement, uint32_t(std::min<uint64_t>(start, size)), uint32_t(end));
}

}  // namespace

bool ApplyEffectCommand(CTarkelDoc& doc, EffectRequest& r, uint32_t first, uint32_t last, ChannelMode mode) {
  if (!RequireEditableFormat(doc.Sound())) return false;
  r.params.preview = 0;
  // Fusion removes the second half of its range and records no undo data. An older record of
  // this document no longer fits the shortened sound, so it is dropped rather than left to
  // restore bytes at the wrong places.
  const bool fusion = r.operation == EffectOperation::Table && r.entry && r.entry->id == effect::kFusion;
  if (fusion) TheUndoStore().DropSavedOf(&doc);
  const UndoRequest undo = fusion ? UndoRequest::None() : UndoFor(doc.Sound(), r, first, last);
  return doc.RunEdit(undo, mode, [&](DocWaveAudio& wave) {
    const uint32_t framesBefore = wave.Frames();
    const uint32_t frames = RunDriver(wave, r, first, last, mode);
    if (frames == 0) return EditOutcome::FailedAfterChange();
    // Fusion reports the removed second half; positions kept from the file follow it.
    if (fusion) {
      EditOutcome outcome = EditOutcome::Changed(first + frames / 2, first + 2 * (frames / 2) - 1, mode);
      if (wave.Frames() < framesBefore) outcome.splices = {{first + frames / 2, framesBefore - wave.Frames(), 0}};
      return outcome;
    }
    return EditOutcome::Changed(first, last, mode);
  });
}

bool PreviewEffectCommand(CTarkelDoc& doc, EffectRequest& r, uint32_t first, uint32_t last, ChannelMode mode) {
  if (r.operation == EffectOperation::Invert) return false;
  if (!RequireEditableFormat(doc.Sound())) return false;
  r.params.preview = 1;
  return RunDriver(doc.Sound(), r, first, last, mode) != 0;
}

}  // namespace tarkel
