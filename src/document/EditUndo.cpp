#include "document/EditUndo.h"

#include <algorithm>

#include "sound/DocWaveAudio.h"
#include "sound/Ports.h"
#include "editing/Clipboard.h"
#include "editing/ConvertClip.h"
#include "editing/EditOperations.h"
#include "editing/EditSupport.h"

namespace tarkel {
namespace {

// Frames of clipboard data that a paste would take; 0 when the clipboard cannot be used.
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

EditUndoPlan Range(int32_t kind, const WaveAudio& wave, uint32_t first, uint32_t frames, ChannelMode mode) {
  EditUndoPlan plan;
  plan.save = frames > 0;
  plan.kind = kind;
  plan.start = wave.FramesToBytes(first);
  plan.end = uint32_t(uint64_t(first + frames) * wave.BlockAlign());
  plan.mode = mode;
  return plan;
}

}  // namespace

EditUndoPlan PlanUndo(DocWaveAudio& wave, EditCommand command, uint32_t first, uint32_t last, ChannelMode mode,
                      const EditArgs& args) {
  const uint32_t total = wave.Frames();
  if (!wave.HasData() || wave.BlockAlign() == 0 || first > last || first > total) return {};
  const uint32_t lastInSound = LimitLast(wave, last);
  const uint32_t selection = first < total ? lastInSound - first + 1 : 0;
  const uint32_t toEnd = total - first;
  switch (command) {
    case EditCommand::Cut: {
      const uint32_t clipAlign = ClipFrameBytes(wave, mode);
      return Range(kUndoRemoval, wave, first, std::min(selection, kClipboardDataLimit / clipAlign), mode);
    }
    case EditCommand::Delete:
      return Range(kUndoRemoval, wave, first, selection, mode);
    case EditCommand::Paste:
      return Range(kUndoInsertion, wave, first, ClipboardFramesQuietly(wave, mode), mode);
    case EditCommand::PasteOver:
    case EditCommand::Mix:
    case EditCommand::Crossfade:
      return Range(kUndoReplacement, wave, first, std::min(ClipboardFramesQuietly(wave, mode), toEnd), mode);
    case EditCommand::PasteOverExactly:
    case EditCommand::MixExactly:
    case EditCommand::CrossfadeExactly:
      return Range(kUndoReplacement, wave, first, std::min(ClipboardFramesQuietly(wave, mode), selection), mode);
    case EditCommand::Erase:
      return Range(kUndoReplacement, wave, first, selection, mode);
    case EditCommand::Trim:
      return Range(kUndoWholeSound, wave, first, selection, mode);
    case EditCommand::InsertSilence:
      return Range(kUndoInsertion, wave, first, args.frames, mode);
    case EditCommand::CopyTo:
      return Range(kUndoInsertion, wave, std::min(args.destination, total), selection,
                   EffectiveDestinationMode(wave, mode, args.destinationMode));
    case EditCommand::Move: {
      EditUndoPlan plan = Range(kUndoMoveCopy, wave, first, selection, mode);
      plan.auxPosition = wave.FramesToBytes(std::min(args.destination, total));
      plan.auxValue = uint16_t(EffectiveDestinationMode(wave, mode, args.destinationMode));
      return plan;
    }
    case EditCommand::Copy:
    case EditCommand::ChangeLength:
    case EditCommand::Speed:
      return {};
  }
  return {};
}

}  // namespace tarkel
