#include "sound/WaveAudio.h"

#include <cstring>

namespace tarkel {

WaveAudio::WaveAudio() = default;
// The read still filling the data stops before the data is freed.
WaveAudio::~WaveAudio() { StopLoading(); }

void WaveAudio::SetLoadJob(std::unique_ptr<LoadJob> job) {
  StopLoading();
  loadJob_ = std::move(job);
}

void WaveAudio::StopLoading() {
  loadJob_.reset();
  loading_ = 0;
}

void WaveAudio::SetDataSize(uint32_t bytes) {
  dataSize_ = bytes;
  frameCount_ = BytesToFrames(bytes);
}

uint8_t* WaveAudio::AllocateDataForReading(uint32_t bytes, bool populate) {
  if (IsHardDisk() || IsLoading()) return nullptr;
  if (!memory_.Allocate(bytes, populate)) return nullptr;
  data_ = memory_.Data();
  SetDataSize(bytes);
  return data_;
}

uint8_t* WaveAudio::AllocateData(uint32_t bytes) {
  if (!AllocateDataForReading(bytes)) return nullptr;
  std::memset(data_, SilenceValue(), bytes);
  return data_;
}

void WaveAudio::AdoptMapped(std::unique_ptr<MappedSamples> mapped, uint32_t bytes, int32_t headerOffset) {
  memory_.Release();
  mapped_ = std::move(mapped);
  data_ = mapped_ ? mapped_->Data() : nullptr;
  headerOffset_ = mapped_ ? headerOffset : 0;
  SetDataSize(mapped_ ? bytes : 0);
}

uint8_t* WaveAudio::ResizeData(uint32_t bytes) {
  if (!data_) return AllocateData(bytes);
  if (IsLoading()) return nullptr;  // the background read is still writing into the block
  const uint32_t old = dataSize_;
  if (IsHardDisk()) {
    // The file itself grows or shrinks.
    uint8_t* moved = mapped_ ? mapped_->Resize(bytes) : nullptr;
    if (!moved) return nullptr;
    data_ = moved;
  } else {
    if (!memory_.Resize(bytes)) return nullptr;
    data_ = memory_.Data();
  }
  SetDataSize(bytes);
  if (bytes > old) std::memset(data_ + old, SilenceValue(), bytes - old);
  return data_;
}

bool WaveAudio::AdoptMemory(SampleMemory&& block, uint32_t bytes) {
  if (IsHardDisk() || IsLoading() || !block.Data() || block.Size() < bytes) return false;
  memory_ = std::move(block);
  memory_.WithdrawHugePageAdvice();  // the sound's data grows and shrinks
  data_ = memory_.Data();
  SetDataSize(bytes);
  return true;
}

void WaveAudio::ReleaseData() {
  StopLoading();
  if (!IsHardDisk()) memory_.Release();
  mapped_.reset();  // unmaps and closes the file
  headerOffset_ = 0;
  data_ = nullptr;
  dataSize_ = 0;
  frameCount_ = 0;
}

}  // namespace tarkel
