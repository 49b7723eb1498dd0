// Paste over and paste over exactly.
#include <algorithm>

#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "editing/Clipboard.h"
#include "editing/EditOperations.h"
#include "editing/EditSupport.h"
#include "editing/TransferSamples.h"

namespace tarkel {
namespace {

// Copies the overlay's samples over the sound from `first`.
int64_t CopyOver(DocWaveAudio& wave, const ClipOverlay& clip, uint32_t first, ChannelMode mode) {
  if (clip.Frames() == 0) return -1;
  if (!TransferSamples(wave, TransferMode(wave, mode), wave.FramesToBytes(clip.Frames()), TransferKind::Insert,
                       clip.Samples(), FrameAddress(wave, first, mode)))
    return -1;
  return clip.Frames();
}

}  // namespace

int64_t OverwriteClip(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode) {
  return CopyOver(wave, ClipOverlay(wave, first, last, mode, false, false, caption::kPasting), first, mode);
}

int64_t OverwriteClipExactly(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode) {
  return CopyOver(wave, ClipOverlay(wave, first, last, mode, true, false, caption::kPasteOverExactly), first, mode);
}

}  // namespace tarkel
