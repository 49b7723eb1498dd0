// Moving or copying a range by drag and drop, inside one channel or between channels.
#include "sound/AppContext.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "editing/EditOperations.h"
#include "editing/EditSupport.h"
#include "editing/TransferSamples.h"

namespace tarkel {
namespace {

bool IsWhole(ChannelMode m) { return !IsSingleChannel(m); }

// Copies `frames` frames from frame `from` of channel `sourceMode` to frame `to` of channel
// `targetMode`: forwards, or backwards when the target lies after the source.
bool CopyFrames(DocWaveAudio& wave, uint32_t from, ChannelMode sourceMode, uint32_t to, ChannelMode targetMode,
                uint32_t frames) {
  const uint32_t bytes = wave.FramesToBytes(frames);
  const bool backward = to > from;
  auto copyOne = [&](ChannelMode transferMode, const uint8_t* src, uint8_t* dst) {
    return backward ? TransferSamples(wave, transferMode, bytes, TransferKind::CopyBackwardMove, src + bytes, dst + bytes)
                    : TransferSamples(wave, transferMode, bytes, TransferKind::CopyForwardMove, src, dst);
  };
  const uint8_t* src = FrameAddress(wave, from, sourceMode);
  if (IsWhole(sourceMode) || !WorksOnOneChannel(wave, sourceMode))
    return copyOne(ChannelMode::Both, src, FrameAddress(wave, to, targetMode));
  // One channel as source: into the chosen target channel, or into both of them.
  if (WorksOnOneChannel(wave, targetMode)) return copyOne(sourceMode, src, FrameAddress(wave, to, targetMode));
  return copyOne(sourceMode, src, FrameAddress(wave, to, ChannelMode::Left)) &&
         copyOne(sourceMode, src, FrameAddress(wave, to, ChannelMode::Right));
}

}  // namespace

ChannelMode EffectiveDestinationMode(const DocWaveAudio& wave, ChannelMode sourceMode, ChannelMode destinationMode) {
  const bool stereo = wave.Channels() == 2;
  const bool sourceWhole = IsWhole(sourceMode) || !stereo;
  const bool targetWhole = IsWhole(destinationMode) || !stereo;
  return sourceWhole && !targetWhole ? sourceMode : destinationMode;
}

MovedSource PreferredMovedSource() {
  return App().dragDropReplaceMoveWithSilence == 1 ? MovedSource::Silenced : MovedSource::Removed;
}

int64_t MoveOrCopyRange(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode sourceMode,
                        uint32_t destination, ChannelMode destinationMode, bool copy, bool finalStep,
                        uint32_t* placedAt, MovedSource moved) {
  if (!CheckRange(wave, first, last, false)) return -1;
  last = LimitLast(wave, last);
  if (destination > wave.Frames()) destination = wave.Frames();
  const bool stereo = wave.Channels() == 2;
  const bool sourceWhole = IsWhole(sourceMode) || !stereo;
  const bool targetWhole = IsWhole(destinationMode) || !stereo;
  destinationMode = EffectiveDestinationMode(wave, sourceMode, destinationMode);
  const bool overlapping = sourceWhole || destinationMode == sourceMode || IsWhole(destinationMode);
  if (overlapping && destination >= first && destination <= last) {
    ShowMessage(msg::kMoveCopySameRegion);
    return -1;
  }
  const uint32_t frames = last - first + 1;
  const bool removeSource = finalStep || !copy;
  const bool makeRoom = finalStep ? copy : true;

  ProgressScope progress(wave, (sourceWhole ? 2 : 6) * frames, sourceMode, caption::kMoveCopy);
  if (!progress.Ok()) return -1;

  uint32_t source = first;
  if (makeRoom) {
    if (!MakeRoomOrSay(wave, destination, frames, destinationMode, TransferKind::CopyBackwardMove, msg::kMoveCopyOutOfMemory)) return -1;
    // Room made before the source moved the source up, if the room went through its channel.
    const bool roomMovedSource = targetWhole || sourceWhole || destinationMode == sourceMode;
    if (destination <= first && roomMovedSource) source += frames;
  } else if (destination + frames > wave.Frames()) {
    ShowMessage(msg::kMoveCopyOutOfMemory);
    return -1;
  }
  if (!CopyFrames(wave, source, sourceMode, destination, destinationMode, frames)) return -1;

  uint32_t placed = destination;
  if (removeSource) {
    if (moved == MovedSource::Silenced) {
      if (!TransferSamples(wave, TransferMode(wave, sourceMode), wave.FramesToBytes(frames), TransferKind::Silence,
                           nullptr, FrameAddress(wave, source, sourceMode)))
        return -1;
    } else {
      if (RemoveFrames(wave, source, frames, sourceMode) < 0) return -1;
      // Removing frames before the copy moves the copy down, when it lies in the removed channel.
      const bool copyMoved = sourceWhole || destinationMode == sourceMode;
      if (source < destination && copyMoved) placed -= frames;
    }
  }
  if (placedAt) *placedAt = placed;
  return frames;
}

}  // namespace tarkel
