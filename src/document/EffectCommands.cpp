#include "document/EffectCommands.h"

#include <algorithm>

#include "document/CTarkelDoc.h"
#include "document/UndoStore.h"
#include "document/EditableFormat.h"
#include "effects/EffectBounds.h"
#include "effects/EffectTable.h"

namespace tarkel {
namespace {

const EffectRules* RulesOf(const EffectRequest& r) {
  return r.operation == EffectOperation::Table && r.entry ? &r.entry->rules : nullptr;
}

// Runs the request's driver on `wave` with a copy of its record. Returns the driver's frame
// count (0: failed).
uint32_t RunDriver(DocWaveAudio& wave, const EffectRequest& r, uint32_t first, uint32_t last, ChannelMode mode,
                   bool preview) {
  EffectParams record = r.Record();
  record.preview = preview ? 1 : 0;
  switch (r.operation) {
    case EffectOperation::Invert: return InvertRange(wave, first, last, mode);
    case EffectOperation::Swap: return SwapChannels(wave, first, last, mode, record);
    case EffectOperation::Match: return MatchChannels(wave, first, last, mode, record);
    case EffectOperation::Envelope:
      return ApplyEnvelopePoints(wave, first, last, mode, r.envelopeWidth, r.points, preview);
    case EffectOperation::Table:
      return r.entry && r.entry->driver ? r.entry->driver(wave, first, last, mode, record) : 0;
  }
  return 0;
}

// The bytes the command may change: the frames the effect says it changes, within the sound.
UndoRequest UndoFor(const DocWaveAudio& wave, const EffectRequest& r, uint32_t first, uint32_t last) {
  const EffectRules* rules = RulesOf(r);
  if (rules && rules->changedFrames) {
    const FrameSpan changed = rules->changedFrames(wave, r.params, first, last);
    first = changed.first;
    last = changed.last;
  }
  const uint32_t size = wave.DataSize();
  const uint64_t start = uint64_t(first) * wave.BlockAlign();
  const uint64_t end = std::min<uint64_t>((uint64_t(last) + 1) * wave.BlockAlign(), size);
  return UndoRequest::Of(UndoKind::Replacement, uint32_t(std::min<uint64_t>(start, size)), uint32_t(end));
}

}  // namespace

bool ApplyEffectCommand(CTarkelDoc& doc, const EffectRequest& r, uint32_t first, uint32_t last, ChannelMode mode) {
  // An effect that removes frames records no undo data. An older record of this document no
  // longer fits the shortened sound, so it is dropped rather than left to restore bytes at the
  // wrong places.
  if (!RequireEditableFormat(doc.Sound())) return false;
  if (!RequireValuesInBounds(r, doc.Sound().BitsPerSample())) return false;
  const EffectRules* rules = RulesOf(r);
  const auto removed = rules ? rules->removedFrames : nullptr;
  if (removed) TheUndoStore().DropSavedOf(&doc);
  const UndoRequest undo = removed ? UndoRequest::None() : UndoFor(doc.Sound(), r, first, last);
  return doc.RunEdit(undo, mode, [&](DocWaveAudio& wave) {
    const uint32_t framesBefore = wave.Frames();
    const uint32_t frames = RunDriver(wave, r, first, last, mode, false);
    if (frames == 0) return EditOutcome::FailedAfterChange();
    if (removed) {
      // The removed frames are reported; positions kept from the file follow them.
      const FrameSpan gone = removed(first, frames);
      EditOutcome outcome = EditOutcome::Changed(gone.first, gone.last, mode);
      if (wave.Frames() < framesBefore) outcome.splices = {{gone.first, framesBefore - wave.Frames(), 0}};
      return outcome;
    }
    return EditOutcome::Changed(first, last, mode);
  });
}

bool PreviewEffectCommand(CTarkelDoc& doc, const EffectRequest& r, uint32_t first, uint32_t last, ChannelMode mode) {
  if (r.operation == EffectOperation::Invert) return false;
  if (!RequireEditableFormat(doc.Sound())) return false;
  if (!RequireValuesInBounds(r, doc.Sound().BitsPerSample())) return false;
  return RunDriver(doc.Sound(), r, first, last, mode, true) != 0;
}

}  // namespace tarkel
