#include "editing/EditSupport.h"

#include <algorithm>

#include "sound/MessageIds.h"
#include "sound/Ports.h"

namespace tarkel {

bool CheckRange(const WaveAudio& wave, uint32_t first, uint32_t last, bool refuseOneFrame) {
  const bool bad = !wave.HasData() || wave.Frames() == 0 || wave.BlockAlign() == 0 || first > last ||
                   first >= wave.Frames() || (refuseOneFrame && first == last);
  if (bad) ShowMessage(msg::kNothingSelected);
  return !bad;
}

}  // namespace tarkel

namespace tarkel {

uint8_t* FrameAddress(DocWaveAudio& wave, uint32_t frame, ChannelMode mode) {
  return wave.Data() + wave.FramesToBytes(frame) + (WorksOnOneChannel(wave, mode) ? ChannelOffset(wave, mode) : 0);
}

uint32_t ClipFramesOf(const WaveAudio& wave, uint32_t bytes, ChannelMode mode) {
  return bytes / ClipFrameBytes(wave, mode);
}

uint32_t FramesOverFrom(const WaveAudio& wave, uint32_t clipBytes, uint32_t first, uint32_t last, ChannelMode mode,
                        bool exactly) {
  const uint32_t limit = exactly ? last - first + 1 : wave.Frames() - first;
  const uint32_t frames = std::min(ClipFramesOf(wave, clipBytes, mode), limit);
  if (frames == 0) ShowMessage(msg::kNothingSelected);
  return frames;
}

RoomResult MakeRoom(DocWaveAudio& wave, uint32_t at, uint32_t frames, ChannelMode mode, TransferKind moveKind) {
  const uint32_t oldSize = wave.DataSize();
  const uint64_t grow = uint64_t(frames) * wave.BlockAlign();
  if (uint64_t(oldSize) + grow > UINT32_MAX) return RoomResult::NoMemory;
  if (!wave.ResizeData(uint32_t(oldSize + grow))) return RoomResult::NoMemory;
  const uint32_t moved = oldSize - wave.FramesToBytes(at);
  const uint32_t offset = WorksOnOneChannel(wave, mode) ? ChannelOffset(wave, mode) : 0;
  uint8_t* data = wave.Data();
  if (!TransferSamples(wave, TransferMode(wave, mode), moved, moveKind, data + oldSize + offset, data + oldSize + grow + offset))
    return RoomResult::Cancelled;
  return RoomResult::Made;
}

bool MakeRoomOrSay(DocWaveAudio& wave, uint32_t at, uint32_t frames, ChannelMode mode, TransferKind moveKind,
                   int noMemoryMessage) {
  switch (MakeRoom(wave, at, frames, mode, moveKind)) {
    case RoomResult::Made: return true;
    case RoomResult::NoMemory: ShowMessage(noMemoryMessage); return false;
    case RoomResult::Cancelled: return false;
  }
  return false;
}

}  // namespace tarkel
