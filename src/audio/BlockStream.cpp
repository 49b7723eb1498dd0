#include "audio/BlockStream.h"

#include <algorithm>
#include <cstring>


namespace tarkel::audio {

void BlockPlayer::SetFormat(uint16_t bitsPerSample, uint16_t channels) {
  bits_ = bitsPerSample;
  channels_ = channels ? channels : 1;
  frameBytes_ = uint32_t(channels_) * ((bits_ + 7) / 8);
  if (frameBytes_ == 0) frameBytes_ = 1;
}

size_t BlockPlayer::Render(uint8_t* out, size_t bytes) {
  size_t done = 0;
  while (done < bytes && cursor_ < queue_.size()) {
    WaveBlock& b = *queue_[cursor_];
    if (offset_ == 0 && (b.flags & block::kBeginLoop) && (cursor_ != loopStart_ || loopsLeft_ == 0)) {
      loopStart_ = cursor_;
      loopsLeft_ = b.loops ? b.loops : 1;
    }
    const size_t n = std::min<size_t>(bytes - done, b.bytes - offset_);
    std::memcpy(out + done, b.data + offset_, n);
    ApplyGain(out + done, n);
    offset_ += uint32_t(n);
    done += n;
    if (offset_ >= b.bytes) FinishBlock();
  }
  // The device always gets whole buffers: silence after the last block.
  FillSilence(out + done, bytes - done);
  bytesPlayed_ += done;
  framesPlayed_ = bytesPlayed_ / frameBytes_;
  return done;
}

// The current block is played through: go back to the start of its group while the group
// repeats, otherwise the group's blocks are done.
void BlockPlayer::FinishBlock() {
  WaveBlock& b = *queue_[cursor_];
  offset_ = 0;
  // A group still to be repeated whose next blocks have not arrived yet waits for them.
  const bool groupEnds = (b.flags & block::kEndLoop) != 0 || (cursor_ + 1 >= queue_.size() && loopsLeft_ <= 1);
  if (!groupEnds) {
    ++cursor_;
    return;
  }
  if (loopsLeft_ > 1) {
    --loopsLeft_;
    cursor_ = loopStart_;
    return;
  }
  loopsLeft_ = 0;
  for (size_t i = 0; i <= cursor_; ++i) queue_[i]->done.store(true, std::memory_order_release);
  queue_.erase(queue_.begin(), queue_.begin() + std::ptrdiff_t(cursor_ + 1));
  cursor_ = 0;
  loopStart_ = 0;
}

void BlockPlayer::FillSilence(uint8_t* out, size_t bytes) const {
  if (bytes) std::memset(out, bits_ == 8 ? 0x80 : 0, bytes);
}

void BlockPlayer::ApplyGain(uint8_t* data, size_t bytes) const {
  if (volume_ == 0xFFFFFFFFu) return;
  const uint32_t left = volume_ & 0xFFFF, right = volume_ >> 16;
  if (bits_ == 8) {
    for (size_t i = 0; i < bytes; ++i) {
      const uint32_t g = channels_ == 2 && (i % 2) ? right : left;
      data[i] = uint8_t(128 + ((int32_t(data[i]) - 128) * int32_t(g)) / 0xFFFF);
    }
  } else if (bits_ == 16) {
    for (size_t i = 0; i + 1 < bytes; i += 2) {
      const uint32_t g = channels_ == 2 && ((i / 2) % 2) ? right : left;
      const int16_t s = int16_t(uint16_t(data[i] | (data[i + 1] << 8)));
      const int16_t v = int16_t((int32_t(s) * int32_t(g)) / 0xFFFF);
      data[i] = uint8_t(uint16_t(v) & 0xFF);
      data[i + 1] = uint8_t(uint16_t(v) >> 8);
    }
  }
}

void BlockPlayer::Reset() {
  for (WaveBlock* b : queue_) b->done.store(true, std::memory_order_release);
  queue_.clear();
  cursor_ = loopStart_ = 0;
  loopsLeft_ = 0;
  offset_ = 0;
  bytesPlayed_ = framesPlayed_ = 0;
}

size_t BlockFiller::Fill(const uint8_t* in, size_t bytes) {
  size_t taken = 0;
  while (taken < bytes && !queue_.empty()) {
    WaveBlock& b = *queue_.front();
    const uint32_t have = b.recorded.load(std::memory_order_relaxed);
    const size_t n = std::min<size_t>(bytes - taken, b.bytes - have);
    std::memcpy(b.data + have, in + taken, n);
    b.recorded.store(uint32_t(have + n), std::memory_order_relaxed);
    taken += n;
    if (have + n >= b.bytes) {
      b.done.store(true, std::memory_order_release);
      queue_.pop_front();
    }
  }
  bytesRecorded_ += taken;
  return taken;
}

void BlockFiller::Reset() {
  for (WaveBlock* b : queue_) b->done.store(true, std::memory_order_release);
  queue_.clear();
  bytesRecorded_ = 0;
}

}  // namespace tarkel::audio
