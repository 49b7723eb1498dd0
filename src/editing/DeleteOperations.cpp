// Trim, delete and erase.
#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "editing/EditOperations.h"
#include "editing/EditSupport.h"
#include "editing/TransferSamples.h"

namespace tarkel {

int64_t TrimRange(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode) {
  if (!CheckRange(wave, first, last, true)) return -1;
  last = LimitLast(wave, last);
  const uint32_t frames = last - first + 1;
  ProgressScope progress(wave, frames, mode, caption::kTrimming);
  if (!progress.Ok()) return -1;

  if (!IsSingleChannel(mode) || wave.Channels() != 2) {
    if (!TransferSamples(wave, ChannelMode::Both, wave.FramesToBytes(frames), TransferKind::CopyForward,
                         wave.Data() + wave.FramesToBytes(first), wave.Data()))
      return -1;
    if (!wave.ResizeData(wave.FramesToBytes(frames))) {
      ShowMessage(msg::kTrimOutOfMemory);
      return -1;
    }
    return frames;
  }

  // One channel of a stereo sound: the result is a mono sound of that channel.
  const uint32_t monoBytes = frames * SampleWidth(wave);
  const ScratchBlock block = NewScratch(monoBytes);
  if (!block) return -1;
  uint8_t* scratch = block.get();
  if (!TransferSamples(wave, mode, wave.FramesToBytes(frames), TransferKind::CopyForward,
                       wave.Data() + wave.FramesToBytes(first) + ChannelOffset(wave, mode), scratch))
    return -1;
  const WaveFormat stereo = wave.Format();
  wave.Format() = SingleChannelOf(stereo);
  if (!wave.ResizeData(monoBytes)) {
    wave.Format() = stereo;
    wave.SetDataSize(wave.DataSize());
    ShowMessage(msg::kTrimOutOfMemory);
    return -1;
  }
  wave.RefreshPcmCopy();
  if (!TransferSamples(wave, ChannelMode::Mono, monoBytes, TransferKind::CopyForward, scratch, wave.Data()))
    return -1;
  return frames;
}

int64_t RemoveFrames(DocWaveAudio& wave, uint32_t first, uint32_t count, ChannelMode mode) {
  const uint32_t total = wave.Frames();
  if (count == 0 || first >= total || count > total - first) {
    ShowMessage(msg::kNothingSelected);
    return -1;
  }
  const uint32_t end = first + count;  // first frame after the removed ones
  const uint32_t tailBytes = wave.FramesToBytes(total - end);
  uint8_t* data = wave.Data();

  if (IsSingleChannel(mode) && wave.Channels() == 2) {
    // The sound keeps its length: that channel moves down and its freed end becomes silence.
    const uint32_t offset = ChannelOffset(wave, mode);
    if (!TransferSamples(wave, mode, tailBytes, TransferKind::ChannelCopy, data + wave.FramesToBytes(end) + offset,
                         data + wave.FramesToBytes(first) + offset))
      return -1;
    if (!TransferSamples(wave, mode, wave.FramesToBytes(count), TransferKind::Silence, nullptr,
                         data + wave.FramesToBytes(total - count) + offset))
      return -1;
    return count;
  }
  if (!TransferSamples(wave, ChannelMode::Both, tailBytes, TransferKind::ChannelCopy, data + wave.FramesToBytes(end),
                       data + wave.FramesToBytes(first)))
    return -1;
  if (!wave.ResizeData(wave.FramesToBytes(total - count))) {
    ShowMessage(msg::kDeleteOutOfMemory);
    return -1;
  }
  return count;
}

int64_t DeleteRange(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode) {
  if (!CheckRange(wave, first, last, false)) return -1;
  last = LimitLast(wave, last);
  ProgressScope progress(wave, wave.Frames() - first, mode, caption::kCuttingOut);
  if (!progress.Ok()) return -1;
  return RemoveFrames(wave, first, last - first + 1, mode);
}

int64_t EraseRange(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode) {
  if (!CheckRange(wave, first, last, true)) return -1;
  last = LimitLast(wave, last);
  const uint32_t frames = last - first + 1;
  ProgressScope progress(wave, frames, mode, caption::kDeleting);
  if (!progress.Ok()) return -1;
  const bool single = IsSingleChannel(mode) && wave.Channels() == 2;
  const uint32_t offset = single ? ChannelOffset(wave, mode) : 0;
  if (!TransferSamples(wave, single ? mode : ChannelMode::Both, wave.FramesToBytes(frames), TransferKind::Silence,
                       nullptr, wave.Data() + wave.FramesToBytes(first) + offset))
    return -1;
  return frames;
}

}  // namespace tarkel
