// Paste (insert the clipboard) and insert silence.
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "editing/Clipboard.h"
#include "editing/EditOperations.h"
#include "editing/EditSupport.h"
#include "editing/TransferSamples.h"

namespace tarkel {
namespace {

// An insertion position may also be the end of the sound.
bool CheckInsertPosition(const WaveAudio& wave, uint32_t first, uint32_t last) {
  const bool bad = !wave.HasData() || wave.BlockAlign() == 0 || first > last || first > wave.Frames();
  if (bad) ShowMessage(msg::kNothingSelected);
  return !bad;
}

}  // namespace

int64_t InsertClip(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode) {
  if (!CheckInsertPosition(wave, first, last)) return -1;
  ClipSamples clip;
  ClipSamplesHold hold(wave);
  if (!AcquireClipSamples(wave, mode, false, clip)) return -1;
  const uint32_t frames = ClipFramesOf(wave, clip.bytes, mode);
  if (frames == 0) {
    ShowMessage(msg::kNothingSelected);
    return -1;
  }
  ProgressScope progress(wave, uint64_t(wave.Frames()) - first + frames, mode, caption::kPasting);
  if (!progress.Ok()) return -1;

  if (!MakeRoomOrSay(wave, first, frames, mode, TransferKind::CopyBackward, msg::kReallocOutOfMemory)) return -1;
  // In one channel the other channel of the frames added at the end is already silence: the
  // growth of the sample memory is filled with the silence value of the width.
  if (!TransferSamples(wave, TransferMode(wave, mode), wave.FramesToBytes(frames), TransferKind::Insert, clip.data,
                       FrameAddress(wave, first, mode)))
    return -1;
  return frames;
}

int64_t InsertSilence(DocWaveAudio& wave, uint32_t at, uint32_t frames, ChannelMode mode) {
  if (!CheckInsertPosition(wave, at, at)) return -1;
  if (frames == 0) {
    ShowMessage(msg::kNothingSelected);
    return -1;
  }
  ProgressScope progress(wave, frames, mode, kProgressCaption);
  if (!progress.Ok()) return -1;
  if (!MakeRoomOrSay(wave, at, frames, mode, TransferKind::CopyBackwardQuiet, msg::kReallocOutOfMemory)) return -1;
  if (!TransferSamples(wave, TransferMode(wave, mode), wave.FramesToBytes(frames), TransferKind::Silence, nullptr,
                       FrameAddress(wave, at, mode))) {
    ShowMessage(msg::kInsertError);
    return -1;
  }
  return frames;
}

}  // namespace tarkel
