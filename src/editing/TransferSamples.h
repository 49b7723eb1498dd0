#pragma once
// The one primitive that moves and combines samples for the edit operations and the channel
// effects, counting progress per sample.
#include <cstdint>

#include "sound/ChannelMode.h"
#include "samples/SampleLayout.h"  // ChannelOffset, SampleWidth

namespace tarkel {

class DocWaveAudio;
class WaveAudio;

// Kinds of transfer (what each does in mono/both-channel and in one-channel mode):
//  1 copy forwards            | extract the chosen channel of a stereo source into a mono target
//  2 copy backwards           | copy the channel backwards (source and target point at the end)
//  3 copy forwards            | insert a mono source into the chosen channel of a stereo target
//  4 fill with silence        | fill the chosen channel with silence
//  5 copy forwards            | copy the source's chosen channel into the same channel of the target
//  6 mean of source and target| mean of a mono source and the chosen channel of the target
//  7 as 2, without progress   | as 2
//  8 as 2                     | as 2
//  9 copy forwards            | as 5
// 10 nothing                  | mean of the same channel of source and target
// 11 channel mean (source at one channel, target at the other) | -
enum class TransferKind : int {
  CopyForward = 1,
  CopyBackward = 2,
  Insert = 3,
  Silence = 4,
  ChannelCopy = 5,
  Mean = 6,
  CopyBackwardQuiet = 7,
  CopyBackwardMove = 8,
  CopyForwardMove = 9,
  ChannelMean = 10,
  MeanOfChannels = 11,
};

// Transfers `lengthBytes` bytes (of the stereo side in one-channel mode) of `wave`'s sample
// layout. False when the user cancelled at a progress step.
//
// Pointers:
// - Mono or both channels: source and target point at the first byte; for the backward kinds
//   (2, 7, 8) they point one byte past the last one. Overlapping moves are safe in the
//   direction of the kind (forwards towards lower addresses, backwards towards higher ones).
// - One channel: a pointer into stereo data points at the chosen channel's sample of the first
//   frame (backward kinds: of the frame after the last); a pointer into mono data (the extract
//   target, the insert and mean sources) at its first sample. A pointer shifted by one sample
//   reaches the other channel, which is how data moves between channels.
// - Kind 11: source at the first sample of one channel, target at the other channel's.
//
// Progress: the word-wise copies (kinds 1, 2, 3, 5, 8, 9 in mono or both-channel mode) count
// each 32-bit word as 4 and each remaining byte as 1, so they count their bytes; every other
// kind counts one per step of its walk (a sample; a frame for kind 11); kind 7 counts nothing.
bool TransferSamples(DocWaveAudio& wave, ChannelMode mode, uint32_t lengthBytes, TransferKind kind,
                     const uint8_t* source, uint8_t* target);

}  // namespace tarkel
