#pragma once
// The device side of the block queues, shared by every device implementation: the output side
// renders queued blocks into a device buffer (repeating loop groups, applying the left/right
// gain, marking blocks done), the input side fills queued blocks from captured bytes. Neither
// allocates or frees a block; neither locks: the device guards each with its own lock.
#include <cstddef>
#include <cstdint>
#include <deque>

#include "audio/WaveDevice.h"

namespace tarkel::audio {

class BlockPlayer {
 public:
  // `bitsPerSample` and `channels` of the stream (for the gain and the silence value).
  void SetFormat(uint16_t bitsPerSample, uint16_t channels);
  void Queue(WaveBlock& b) { queue_.push_back(&b); }
  // Copies up to `bytes` bytes of the queued blocks to `out` and fills the rest with silence.
  // Returns the bytes that came from blocks.
  size_t Render(uint8_t* out, size_t bytes);
  // Silence of the stream's format (0x80 for 8-bit data, 0 for 16-bit).
  void FillSilence(uint8_t* out, size_t bytes) const;
  // Marks every queued block done and forgets them; the position goes back to 0.
  void Reset();
  bool Empty() const { return queue_.empty(); }
  uint64_t FramesPlayed() const { return framesPlayed_; }
  // Left/right volume: low word left, high word right; 0xFFFF is full (the bytes unchanged).
  void SetVolume(uint32_t volume) { volume_ = volume; }

 private:
  void ApplyGain(uint8_t* data, size_t bytes) const;
  void FinishBlock();

  std::deque<WaveBlock*> queue_;
  size_t cursor_ = 0;       // index of the block being played
  size_t loopStart_ = 0;    // index of the first block of the group being repeated
  uint32_t loopsLeft_ = 0;  // plays of that group still to come after this one
  uint32_t offset_ = 0;     // bytes of the current block already played
  uint64_t bytesPlayed_ = 0;
  uint64_t framesPlayed_ = 0;
  uint32_t frameBytes_ = 1;
  uint16_t bits_ = 16;
  uint16_t channels_ = 1;
  uint32_t volume_ = 0xFFFFFFFFu;
};

class BlockFiller {
 public:
  void SetFrameBytes(uint32_t frameBytes) { frameBytes_ = frameBytes ? frameBytes : 1; }
  void Queue(WaveBlock& b) { queue_.push_back(&b); }
  // Copies captured bytes into the queued blocks in order; returns how many were taken.
  size_t Fill(const uint8_t* in, size_t bytes);
  // Room left in the block being filled (0 when none is queued).
  size_t Room() const { return queue_.empty() ? 0 : queue_.front()->bytes - queue_.front()->recorded.load(); }
  // Marks every queued block done, keeping what each holds.
  void Reset();
  bool Empty() const { return queue_.empty(); }
  uint64_t FramesRecorded() const { return bytesRecorded_ / frameBytes_; }

 private:
  std::deque<WaveBlock*> queue_;
  uint64_t bytesRecorded_ = 0;
  uint32_t frameBytes_ = 1;
};

}  // namespace tarkel::audio
