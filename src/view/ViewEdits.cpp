#include "view/ViewEdits.h"

#include <algorithm>

#include "document/CTarkelDoc.h"
#include "document/EditCommands.h"
#include "sound/AppContext.h"
#include "sound/Selection.h"

namespace tarkel {

void SaveFreehandUndo(CTarkelDoc& doc, uint32_t first, uint32_t end) {
  const DocWaveAudio& sound = doc.Sound();
  const uint64_t align = sound.BlockAlign();
  const uint32_t startByte = uint32_t(std::min<uint64_t>(uint64_t(first) * align, sound.DataSize()));
  const uint32_t endByte = uint32_t(std::min<uint64_t>(uint64_t(end) * align, sound.DataSize()));
  const ChannelMode mode = sound.Channels() > 1 ? ChannelMode::Both : ChannelMode::Mono;
  // The record only; the stroke itself changes the samples afterwards.
  doc.RunEdit(UndoRequest::Of(UndoKind::Replacement, startByte, endByte), mode,
              [](DocWaveAudio&) { return EditOutcome{true, false, std::nullopt}; });
}

int32_t FreehandValue(int offset, int height, uint16_t channels, uint16_t bits) {
  const int64_t h = std::max(height, 1);
  if (bits == 8) return int32_t(std::clamp<int64_t>(int64_t(offset) * 254 / h * channels + 128, 0, 255));
  return int32_t(std::clamp<int64_t>(int64_t(offset) * 65534 / h * channels, -32768, 32767));
}

bool WriteFreehandSample(CTarkelDoc& doc, uint32_t frame, uint16_t channel, bool everyChannel, int32_t value) {
  DocWaveAudio& sound = doc.Sound();
  if (!sound.Data() || frame >= sound.Frames()) return false;
  const uint16_t channels = sound.Channels();
  const uint16_t bytes = sound.BitsPerSample() == 8 ? 1 : 2;
  for (uint16_t c = 1; c <= channels; ++c) {
    if (!everyChannel && c != channel) continue;
    uint8_t* at = sound.Data() + (uint64_t(frame) * channels + (c - 1)) * bytes;
    if (bytes == 1) {
      at[0] = uint8_t(value);
    } else {
      at[0] = uint8_t(value & 0xFF);
      at[1] = uint8_t((uint32_t(value) >> 8) & 0xFF);
    }
  }
  doc.SetModified(true);
  return true;
}

void RestartPlaybackOnSelection(CTarkelDoc& doc, uint32_t first, uint32_t last) {
  if (App().playingDocument != &doc) return;
  doc.PlayRange(EvenFrame(first), std::max(EvenFrame(first), EvenFrame(last)));
}

DropOutcome DropRange(const DraggedRange& source, CTarkelDoc& doc, uint32_t target, ChannelMode targetMode, bool copy) {
  DropOutcome out;
  const uint32_t first = EvenFrame(source.first);
  const uint32_t last = EvenFrame(source.last);
  EditCommandResult result;
  if (source.document == &doc) {
    EditArgs args;
    args.destination = target;
    args.destinationMode = targetMode;
    out.done = RunEditCommand(doc, copy ? EditCommand::CopyTo : EditCommand::Move, first, last, source.mode, args, &result);
  } else {
    if (!source.document) return out;
    if (!RunEditCommand(*source.document, copy ? EditCommand::Copy : EditCommand::Cut, first, last, source.mode)) return out;
    out.done = RunEditCommand(doc, EditCommand::Paste, target, target, targetMode, {}, &result);
  }
  if (out.done && result.newSelection) {
    out.selFirst = result.selFirst;
    out.selLast = result.selLast;
    out.selMode = result.selMode;
  }
  return out;
}

}  // namespace tarkel
