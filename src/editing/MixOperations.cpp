// Mixing the clipboard into the sound, and the crossfade with the clipboard.
#include <algorithm>
#include <cstring>

#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "editing/Clipboard.h"
#include "editing/EditOperations.h"
#include "editing/EditSupport.h"
#include "editing/TransferSamples.h"
#include "samples/LevelCompensation.h"
#include "samples/LevelRamp.h"

namespace tarkel {
namespace {

// Replaces `target` by the mean of itself and `clip` (kind 6) and restores the louder input's
// peak through the level compensation.
bool MeanWithCompensation(DocWaveAudio& wave, ChannelMode mode, uint32_t frames, const SampleRegion& clipRegion,
                          uint8_t* targetFrame, const uint8_t* clip) {
  const SampleRegion target = RegionOf(wave, targetFrame, wave.FramesToBytes(frames), TransferMode(wave, mode));
  const uint32_t peakBefore = std::max(PeakOf(clipRegion), PeakOf(target));
  const uint32_t offset = WorksOnOneChannel(wave, mode) ? ChannelOffset(wave, mode) : 0;
  if (!TransferSamples(wave, TransferMode(wave, mode), wave.FramesToBytes(frames), TransferKind::Mean, clip,
                       targetFrame + offset))
    return false;
  return CompensateLevel(wave, target, peakBefore);
}

int64_t Mix(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, bool exactly) {
  const ClipOverlay clip(wave, first, last, mode, exactly, true, exactly ? caption::kMixingExactly : caption::kMixing);
  const uint32_t frames = clip.Frames();
  if (frames == 0) return -1;
  const SampleRegion clipRegion = MonoRegion(const_cast<uint8_t*>(clip.Samples()), frames * ClipFrameBytes(wave, mode),
                                             wave.BitsPerSample() == 16);
  if (!MeanWithCompensation(wave, mode, frames, clipRegion, wave.Data() + wave.FramesToBytes(first), clip.Samples()))
    return -1;
  return frames;
}

}  // namespace

int64_t MixClip(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode) {
  return Mix(wave, first, last, mode, false);
}

int64_t MixClipExactly(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode) {
  return Mix(wave, first, last, mode, true);
}

int64_t CrossfadeClip(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode,
                      const CrossfadeParams& params) {
  if (!CheckRange(wave, first, last, true)) return -1;
  last = LimitLast(wave, last);
  ClipSamples clip;
  ClipSamplesHold hold(wave);
  if (!AcquireClipSamples(wave, mode, false, clip)) return -1;
  const uint32_t limit = params.limitToSelection == 1 ? last - first + 1 : wave.Frames() - first;
  const uint32_t frames = std::min(ClipFramesOf(wave, clip.bytes, mode), limit);
  if (frames == 0) {
    ShowMessage(msg::kNothingSelected);
    return -1;
  }
  const uint32_t clipBytes = frames * ClipFrameBytes(wave, mode);
  const uint32_t rangeBytes = wave.FramesToBytes(frames);

  // The clipboard's part goes into a scratch block, faded there.
  const ScratchBlock block = NewScratch(clipBytes);
  if (!block) return -1;
  uint8_t* scratch = block.get();
  std::memcpy(scratch, clip.data, clipBytes);

  // The sound's range, or for a preview a copy of it in the preview image.
  uint8_t* target = wave.Data() + wave.FramesToBytes(first);
  if (params.preview) {
    WaveImage& preview = wave.PreviewImage();
    if (!preview.Allocate(rangeBytes)) {
      ShowMessage(msg::kTempMemory);
      return -1;
    }
    preview.WriteHeader(wave.Format());
    std::memcpy(preview.Data(), target, rangeBytes);
    target = preview.Data();
  }

  ProgressScope progress(wave, 4 * frames, mode, caption::kCrossfade);
  if (!progress.Ok()) {
    if (params.preview) wave.PreviewImage().Free();
    return -1;
  }
  const bool sixteen = wave.BitsPerSample() == 16;
  const SampleRegion clipRegion = MonoRegion(scratch, clipBytes, sixteen);
  const SampleRegion soundRegion = RegionOf(wave, target, rangeBytes, TransferMode(wave, mode));
  const bool done = RampLevel(wave, clipRegion, params.soundEndLevel, params.soundStartLevel) &&
                    RampLevel(wave, soundRegion, params.soundStartLevel, params.soundEndLevel) &&
                    MeanWithCompensation(wave, mode, frames, clipRegion, target, scratch);
  if (!done) {
    if (params.preview) wave.PreviewImage().Free();
    return -1;
  }
  return frames;
}

}  // namespace tarkel
