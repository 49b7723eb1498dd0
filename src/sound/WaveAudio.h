#pragma once
// A held sound: its format, one contiguous block of sample bytes, the file it came from and the
// flags that the file, hard-disk and device code need.
#include <cstdint>
#include <memory>
#include <string>

#include "sound/ChannelMode.h"
#include "sound/FileChunks.h"
#include "sound/LoadJob.h"
#include "sound/MappedSamples.h"
#include "sound/SampleMemory.h"
#include "sound/WaveFormat.h"

namespace tarkel {

inline constexpr uint32_t kNeverHeldFrames = 0x7FFFFFFF;
inline constexpr uint32_t kLoopRepeatCount = 32000;
// Value written as silence: 127 for 8-bit data (not 128), 0 for every other width.
inline uint8_t SilenceValueFor(uint16_t bitsPerSample) { return bitsPerSample == 8 ? 127 : 0; }

class WaveAudio {
 public:
  WaveAudio();
  virtual ~WaveAudio();
  WaveAudio(const WaveAudio&) = delete;
  WaveAudio& operator=(const WaveAudio&) = delete;

  // --- Memory -------------------------------------------------------------------------------
  // Allocates `bytes` of sample memory filled with silence; null in hard-disk mode or when the
  // memory cannot be had (the object then stays as it was).
  virtual uint8_t* AllocateData(uint32_t bytes);
  // Changes the size of the sample memory to `bytes`, keeping the leading content and filling
  // growth with silence; allocates when there is no data. Null on failure, old data kept.
  virtual uint8_t* ResizeData(uint32_t bytes);
  // Frees the sample memory (outside hard-disk mode); data null, size 0.
  void ReleaseData();
  // Makes `block` the sample memory, its first `bytes` the data, instead of copying them in (the
  // format must already be the data's); the old block is freed. False, and nothing changed, in
  // hard-disk mode, while loading, or when the block is shorter than `bytes`.
  bool AdoptMemory(SampleMemory&& block, uint32_t bytes);
  // Allocates without the silence fill, for readers that overwrite every byte at once (without
  // `populate`, a large block's pages come as the reader first touches them).
  uint8_t* AllocateDataForReading(uint32_t bytes, bool populate = true);
  // Makes a mapped file's `bytes` sample bytes the sound's data (hard-disk mode); the header
  // offset is the distance of the first sample from the start of the file.
  void AdoptMapped(std::unique_ptr<MappedSamples> mapped, uint32_t bytes, int32_t headerOffset);
  MappedSamples* Mapped() const { return mapped_.get(); }

  // --- Format -------------------------------------------------------------------------------
  WaveFormat& Format() { return format_; }
  const WaveFormat& Format() const { return format_; }
  uint16_t FormatTag() const { return format_.FormatTag(); }
  uint16_t Channels() const { return format_.Channels(); }
  uint32_t Rate() const { return format_.SamplesPerSec(); }
  uint32_t AvgBytesPerSec() const { return format_.AvgBytesPerSec(); }
  uint16_t BlockAlign() const { return format_.BlockAlign(); }
  uint16_t BitsPerSample() const { return format_.BitsPerSample(); }
  uint8_t SilenceValue() const { return SilenceValueFor(BitsPerSample()); }
  void CopyFormatTo(uint8_t* destination) const { format_.CopyTo(destination); }
  // Refreshes the 16-byte PCMWAVEFORMAT copy from the format block.
  void RefreshPcmCopy() { pcmCopy_.AssignFrom(format_.Data(), kPcmFormatSize); }
  const WaveFormat& PcmCopy() const { return pcmCopy_; }

  // --- Data ---------------------------------------------------------------------------------
  uint8_t* Data() const { return data_; }
  uint32_t DataSize() const { return dataSize_; }
  uint32_t FrameCount() const { return frameCount_; }
  // Frame count of a sound that holds data; 0 for one that never held any.
  uint32_t Frames() const { return frameCount_ == kNeverHeldFrames && !data_ ? 0 : frameCount_; }
  bool HasData() const { return data_ != nullptr; }
  uint32_t FramesToBytes(uint32_t frames) const { return frames * BlockAlign(); }
  uint32_t BytesToFrames(uint32_t bytes) const { return BlockAlign() ? bytes / BlockAlign() : 0; }
  // Sets the frame count directly (readers take it from a "fact" chunk).
  void SetFrameCount(uint32_t frames) { frameCount_ = frames; }
  // Makes data size and frame count follow a size change made in place.
  void SetDataSize(uint32_t bytes);

  // --- Names, flags and devices -------------------------------------------------------------
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& name) { fileName_ = name; }
  int32_t HeaderOffset() const { return headerOffset_; }
  bool IsPlaying() const { return playing_ != 0; }
  bool IsRecording() const { return recording_ != 0; }
  bool IsLoading() const { return loading_ != 0; }
  void SetPlaying(bool on) { playing_ = on; }
  void SetRecording(bool on) { recording_ = on; }
  void SetLoading(bool on) { loading_ = on; }
  // The background read that fills the data while the sound is loading. Dropping it (also by
  // ReleaseData and the destructor) stops the read before the data goes.
  void SetLoadJob(std::unique_ptr<LoadJob> job);
  LoadJob* CurrentLoadJob() const { return loadJob_.get(); }
  void StopLoading();
  bool IsHardDisk() const { return hardDisk_ != 0; }
  void SetHardDisk(bool on) { hardDisk_ = on; }
  int32_t BackgroundOption() const { return backgroundOption_; }
  void SetBackgroundOption(int32_t on) { backgroundOption_ = on; }
  uint16_t PlayDevice() const { return playDevice_; }
  uint16_t RecordDevice() const { return recordDevice_; }
  void SetPlayDevice(uint16_t device) { playDevice_ = device; }
  void SetRecordDevice(uint16_t device) { recordDevice_ = device; }
  uint32_t RepeatCount() const { return repeatCount_; }
  void SetRepeatCount(uint32_t count) { repeatCount_ = count; }

  // --- Chunks of the file kept for saving -----------------------------------------------------
  FileChunks& Chunks() { return chunks_; }
  const FileChunks& Chunks() const { return chunks_; }

 protected:
  WaveFormat format_;
  WaveFormat pcmCopy_;
  SampleMemory memory_;
  uint8_t* data_ = nullptr;
  uint32_t dataSize_ = 0;
  uint32_t frameCount_ = kNeverHeldFrames;
  int32_t headerOffset_ = 0;
  std::string fileName_;
  int32_t loading_ = 0;
  int32_t playing_ = 0;
  int32_t recording_ = 0;
  int32_t backgroundOption_ = 0;
  uint32_t hardDisk_ = 0;
  // Device numbers; the device code treats the number of devices of a kind as its default
  // device and sets these when it knows that number.
  uint16_t recordDevice_ = 0;
  uint16_t playDevice_ = 0;
  uint32_t repeatCount_ = 1;
  FileChunks chunks_;
  std::unique_ptr<MappedSamples> mapped_;  // set in hard-disk mode
  std::unique_ptr<LoadJob> loadJob_;
};

}  // namespace tarkel
