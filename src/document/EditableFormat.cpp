#include "document/EditableFormat.h"

#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "sound/WaveAudio.h"
#include "fileformats/HeldFormat.h"

namespace tarkel {
namespace {

// Commands that only move whole frames (or, for the rate, only change the format record).
bool MovesWholeFrames(EditCommand command) {
  switch (command) {
    case EditCommand::Copy:
    case EditCommand::Cut:
    case EditCommand::Delete:
    case EditCommand::Trim:
    case EditCommand::Move:
    case EditCommand::CopyTo:
    case EditCommand::Speed:
      return true;
    default:
      return false;
  }
}

bool Refuse() {
  ShowMessage(msg::kConvertFirst);
  return false;
}

}  // namespace

bool IsEditableFormat(const WaveFormat& f) {
  return f.IsPcm() && (f.Channels() == 1 || f.Channels() == 2) && (f.BitsPerSample() == 8 || f.BitsPerSample() == 16) &&
         f.BlockAlign() == f.Channels() * (f.BitsPerSample() / 8);
}

bool RequireEditableFormat(const WaveAudio& wave) {
  // A sound that never held data has nothing to refuse; the operation says so itself.
  return !wave.HasData() || IsEditableFormat(wave.Format()) || Refuse();
}

bool RequireFormatFor(const WaveAudio& wave, EditCommand command, ChannelMode mode) {
  if (!wave.HasData() || IsEditableFormat(wave.Format())) return true;
  if (command == EditCommand::Speed) return true;
  const bool wholeFrames = !IsSingleChannel(mode) && !IsBlockedFormat(wave.Format());
  return (wholeFrames && MovesWholeFrames(command)) || Refuse();
}

}  // namespace tarkel
