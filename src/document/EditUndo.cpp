#include "document/EditUndo.h"

#include "sound/DocWaveAudio.h"
#include "sound/Ports.h"
#include "editing/Clipboard.h"
#include "editing/ConvertClip.h"
#include "editing/EditSupport.h"
#include "document/EditCommands.h"

namespace tarkel {

uint32_t ClipboardFramesQuietly(DocWaveAudio& wave, ChannelMode mode) {
  ClipboardPort& clipboard = *CurrentPorts().clipboard;
  if (!clipboard.OpenClipboard()) return 0;
  if (!clipboard.HasWave()) {
    clipboard.CloseClipboard();
    return 0;
  }
  wave.ClipboardBlock() = clipboard.ReadWave();
  clipboard.CloseClipboard();
  uint32_t bytes = 0;
  const int result = ConvertClip(wave, mode, ClipPurpose::SizeOnly, bytes, nullptr);
  wave.ReleaseClipboardBlock();
  return result == 0 ? ClipFramesOf(wave, bytes, mode) : 0;
}

UndoRequest UndoOfFrames(UndoKind kind, const WaveAudio& wave, uint32_t first, uint32_t frames, ChannelMode mode) {
  if (frames == 0) return UndoRequest::None();
  const uint32_t end = uint32_t(uint64_t(first + frames) * wave.BlockAlign());
  UndoRequest r = UndoRequest::Of(kind, wave.FramesToBytes(first), end);
  r.channel = mode;
  return r;
}

UndoRequest PlanUndo(DocWaveAudio& wave, EditCommand command, uint32_t first, uint32_t last, ChannelMode mode,
                     const EditArgs& args) {
  const uint32_t total = wave.Frames();
  if (!wave.HasData() || wave.BlockAlign() == 0 || first > last || first > total) return UndoRequest::None();
  const EditCommandEntry* entry = FindEditCommand(command);
  if (!entry || !entry->planUndo) return UndoRequest::None();
  const uint32_t lastInSound = LimitLast(wave, last);
  const PlannedRange range{first, first < total ? lastInSound - first + 1 : 0, total - first, total, mode};
  return entry->planUndo(wave, range, args);
}

}  // namespace tarkel
