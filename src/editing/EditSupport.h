#pragma once
// What the edit operations share: the progress captions, the range check every operation
// starts with, and the progress window that an operation opens unless an enclosing one
// already has.
#include <cstdint>
#include <string>

#include "sound/ChannelMode.h"
#include "sound/DocWaveAudio.h"
#include "sound/ProgressScope.h"
#include "editing/TransferSamples.h"

namespace tarkel {

namespace caption {
inline constexpr const char* kCopying = "Copying...";
inline constexpr const char* kCutting = "Cutting...";
inline constexpr const char* kPasting = "Pasting...";
inline constexpr const char* kPasteOverExactly = "Pasteover excatly...";
inline constexpr const char* kMixing = "Mixing...";
inline constexpr const char* kMixingExactly = "Mixing exactly...";
inline constexpr const char* kCrossfade = "Crossfade...";
inline constexpr const char* kTrimming = "Trimming...";
inline constexpr const char* kCuttingOut = "Cutting out...";
inline constexpr const char* kDeleting = "Deleting...";
inline constexpr const char* kMoveCopy = "Move/copy...";
}  // namespace caption

// Refuses (message 1000) when the sound has no sample memory, the range is reversed or starts
// past the end, or, with `refuseOneFrame`, first equals last. True when the range may be used.
bool CheckRange(const WaveAudio& wave, uint32_t first, uint32_t last, bool refuseOneFrame);

// The last frame of a range limited to the sound.
inline uint32_t LimitLast(const WaveAudio& wave, uint32_t last) {
  return wave.Frames() == 0 ? 0 : (last < wave.Frames() ? last : wave.Frames() - 1);
}

// Grows the sound by `frames` frames and moves the samples from `at` to the end up by that
// many (`moveKind` 2, 7 or 8; in one channel only that channel moves, the other one gets
// silence at the end). The new frames at `at` hold whatever was there.
enum class RoomResult { Made, NoMemory, Cancelled };
RoomResult MakeRoom(DocWaveAudio& wave, uint32_t at, uint32_t frames, ChannelMode mode, TransferKind moveKind);
// MakeRoom that shows `noMemoryMessage` when the memory cannot grow; false when no room was made.
bool MakeRoomOrSay(DocWaveAudio& wave, uint32_t at, uint32_t frames, ChannelMode mode, TransferKind moveKind,
                   int noMemoryMessage);

// Bytes of the sample width (1 or 2): one channel's share of a stereo frame.

// True when an operation in `mode` works on one channel of a stereo sound.
inline bool WorksOnOneChannel(const WaveAudio& wave, ChannelMode mode) {
  return IsSingleChannel(mode) && wave.Channels() == 2;
}
// The mode to hand to TransferSamples: one channel, or all samples alike.
inline ChannelMode TransferMode(const WaveAudio& wave, ChannelMode mode) {
  return WorksOnOneChannel(wave, mode) ? mode : ChannelMode::Both;
}
// The first byte of frame `frame` of the chosen channel (of the frame itself for all channels).
uint8_t* FrameAddress(DocWaveAudio& wave, uint32_t frame, ChannelMode mode);

// Frames that `bytes` of clipboard data fill: whole frames, or in one channel whole samples of
// the mono clipboard data.
uint32_t ClipFramesOf(const WaveAudio& wave, uint32_t bytes, ChannelMode mode);
// Frames of `clipBytes` clipboard bytes that go over the sound from `first` on: at most to the
// end of the sound, or with `exactly` to `last`. 0 after message 1000 when none do.
uint32_t FramesOverFrom(const WaveAudio& wave, uint32_t clipBytes, uint32_t first, uint32_t last, ChannelMode mode,
                        bool exactly);
// Bytes of clipboard data per frame of the sound: the block alignment, or one sample in one channel.
inline uint32_t ClipFrameBytes(const WaveAudio& wave, ChannelMode mode) {
  return WorksOnOneChannel(wave, mode) ? SampleWidth(wave) : wave.BlockAlign();
}

}  // namespace tarkel
