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

int64_t Overwrite(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, bool exactly) {
  if (!CheckRange(wave, first, last, false)) return -1;
  last = LimitLast(wave, last);
  ClipSamples clip;
  ClipSamplesHold hold(wave);
  if (!AcquireClipSamples(wave, mode, false, clip)) return -1;
  const uint32_t frames = FramesOverFrom(wave, clip.bytes, first, last, mode, exactly);
  if (frames == 0) return -1;
  ProgressScope progress(wave, frames, mode, exactly ? caption::kPasteOverExactly : caption::kPasting);
  if (!progress.Ok()) return -1;
  if (!TransferSamples(wave, TransferMode(wave, mode), wave.FramesToBytes(frames), TransferKind::Insert, clip.data,
                       FrameAddress(wave, first, mode)))
    return -1;
  return frames;
}

}  // namespace

int64_t OverwriteClip(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode) {
  return Overwrite(wave, first, last, mode, false);
}

int64_t OverwriteClipExactly(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode) {
  return Overwrite(wave, first, last, mode, true);
}

}  // namespace tarkel
