#include "sound/DocWaveAudio.h"

#include <cstdlib>

#include "sound/MessageIds.h"
#include "sound/Ports.h"

namespace tarkel {

DocWaveAudio::~DocWaveAudio() {
  work_.Free();
  preview_.Free();
  EndProgress();
}

uint8_t* DocWaveAudio::AllocateScratch(uint32_t dataBytes) {
  return static_cast<uint8_t*>(std::malloc(size_t(dataBytes) + kWaveImageSpare));
}

uint8_t* DocWaveAudio::ReallocateScratch(uint8_t* block, uint32_t dataBytes) {
  return static_cast<uint8_t*>(std::realloc(block, size_t(dataBytes) + kWaveImageSpare));
}

void DocWaveAudio::FreeScratch(uint8_t* block) { std::free(block); }

ScratchBlock NewScratch(uint64_t dataBytes) {
  ScratchBlock block(dataBytes <= UINT32_MAX ? DocWaveAudio::AllocateScratch(uint32_t(dataBytes)) : nullptr);
  if (!block) ShowMessage(msg::kTempMemory);
  return block;
}

void DocWaveAudio::PlanSteps(uint32_t units, ChannelMode mode) {
  const int range = progress_.Upper() - progress_.Lower();
  stepCount_ = uint32_t(range / progress_.Step());
  if (stepCount_ < 1) stepCount_ = 1;
  uint64_t size = uint64_t(BlockAlign()) * (units / stepCount_);
  if (BitsPerSample() == 16) size /= 2;
  if (IsSingleChannel(mode)) size /= 2;
  stepSize_ = size;
  sampleCounter_ = 0;
  stepNumber_ = 0;
}

bool DocWaveAudio::BeginProgress(uint32_t units, ChannelMode mode, const std::string& caption) {
  if (progressActive_) return false;
  if (!progress_.Create(caption)) {
    ShowMessage(msg::kProgressDialogError);
    return false;
  }
  PlanSteps(units, mode);
  progressActive_ = true;
  return true;
}

void DocWaveAudio::ReplanProgress(uint32_t units, ChannelMode mode) { PlanSteps(units, mode); }

void DocWaveAudio::EndProgress() {
  progress_.Destroy();
  progressActive_ = false;
  sampleCounter_ = stepSize_ = 0;
  stepNumber_ = stepCount_ = 0;
}

bool DocWaveAudio::ProgressStep() {
  sampleCounter_ = 0;
  ++stepNumber_;
  if (stepNumber_ <= stepCount_) {
    const int percent = int(uint64_t(stepNumber_) * 100 / stepCount_);
    progress_.SetPercent(progress_.Lower() + int(stepNumber_) * progress_.Step(), percent == 100 ? 100 : percent % 100);
  }
  return !progress_.PumpAndCheckCancel();
}

bool DocWaveAudio::ProgressAdvance(uint64_t n) {
  if (!progressActive_) return true;
  while (n > 0) {
    const uint64_t quiet = ProgressQuietRun();
    if (n <= quiet) {
      sampleCounter_ += n;
      return true;
    }
    sampleCounter_ += quiet;
    n -= quiet;
    if (!ProgressStep()) {
      ++sampleCounter_;
      return false;
    }
    ++sampleCounter_;
    --n;
  }
  return true;
}

}  // namespace tarkel
