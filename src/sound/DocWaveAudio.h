#pragma once
// The document's sound: a WaveAudio with the images that editing needs (effect preview, the
// clipboard's data converted to this sound's format) and the progress bookkeeping of long
// operations, shared by all the steps of one operation.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sound/ChannelMode.h"
#include "sound/ProgressDialog.h"
#include "sound/WaveAudio.h"
#include "sound/WaveImage.h"

namespace tarkel {

class DocWaveAudio : public WaveAudio {
 public:
  DocWaveAudio() = default;
  ~DocWaveAudio() override;

  // --- Images -------------------------------------------------------------------------------
  WaveImage& PreviewImage() { return preview_; }
  WaveImage& WorkImage() { return work_; }
  uint8_t* PreviewData() const { return preview_.Data(); }
  uint8_t* WorkData() const { return work_.Data(); }
  // Plain scratch blocks of the edit operations: data bytes + 218.
  static uint8_t* AllocateScratch(uint32_t dataBytes);
  static uint8_t* ReallocateScratch(uint8_t* block, uint32_t dataBytes);
  static void FreeScratch(uint8_t* block);

  // --- Clipboard data being read ------------------------------------------------------------
  // The wave image taken from the clipboard for the paste in progress, and the data behind its
  // 44-byte header.
  std::vector<uint8_t>& ClipboardBlock() { return clipboardBlock_; }
  const uint8_t* ClipboardData() const {
    return clipboardBlock_.size() >= kCanonicalHeaderSize ? clipboardBlock_.data() + kCanonicalHeaderSize : nullptr;
  }
  void ReleaseClipboardBlock() { std::vector<uint8_t>().swap(clipboardBlock_); }

  // --- Progress -----------------------------------------------------------------------------
  // Opens the progress window over a job of `units` frames and plans its steps. Shows 1026 and
  // fails when the window cannot be created. While a window is open (the active flag) it fails
  // without doing anything; callers test ProgressActive() first.
  bool BeginProgress(uint32_t units, ChannelMode mode, const std::string& caption);
  // Plans the steps anew for a later phase of the same operation.
  void ReplanProgress(uint32_t units, ChannelMode mode);
  // Closes the window and clears the counters.
  void EndProgress();
  bool ProgressActive() const { return progressActive_; }

  // Counts one sample; false when the user cancelled at a step.
  bool ProgressTick() {
    if (!progressActive_) return true;
    if (sampleCounter_ >= stepSize_ && !ProgressStep()) return false;
    ++sampleCounter_;
    return true;
  }
  // Samples that can be counted before the next one that takes a step (0: the next one does).
  uint64_t ProgressQuietRun() const {
    if (!progressActive_) return UINT64_MAX;
    return sampleCounter_ < stepSize_ ? stepSize_ - sampleCounter_ : 0;
  }
  // Counts `n` samples as `n` ticks would; false when the user cancelled at one of its steps.
  bool ProgressAdvance(uint64_t n);

  // Runs `process(offset, count)` over `total` samples in chunks that end where the progress
  // takes a step, counting each chunk; the same steps and cancel points as a tick after every
  // sample. False when cancelled (the chunk just processed stays processed).
  template <class Process>
  bool ForEachProgressChunk(uint64_t total, Process&& process) {
    uint64_t done = 0;
    while (done < total) {
      uint64_t run = ProgressQuietRun();
      uint64_t n = total - done;
      if (run != UINT64_MAX && n > run + 1) n = run + 1;
      process(done, n);
      done += n;
      if (!ProgressAdvance(n)) return false;
    }
    return true;
  }

  uint64_t ProgressStepSize() const { return stepSize_; }
  uint32_t ProgressStepNumber() const { return stepNumber_; }
  uint32_t ProgressStepCount() const { return stepCount_; }
  ProgressDialog& Progress() { return progress_; }

 private:
  // Takes one step of the bar and looks at Cancel; false when cancelled.
  bool ProgressStep();
  void PlanSteps(uint32_t units, ChannelMode mode);

  WaveImage preview_;
  WaveImage work_;
  std::vector<uint8_t> clipboardBlock_;
  ProgressDialog progress_;
  bool progressActive_ = false;
  uint64_t sampleCounter_ = 0;
  uint64_t stepSize_ = 0;
  uint32_t stepNumber_ = 0;
  uint32_t stepCount_ = 0;
};

// A scratch block of the edit operations and effects, freed when it goes out of scope.
struct ScratchDeleter {
  void operator()(uint8_t* block) const { DocWaveAudio::FreeScratch(block); }
};
using ScratchBlock = std::unique_ptr<uint8_t, ScratchDeleter>;

// A scratch block for `dataBytes`; null after message 1010 when it cannot be had.
ScratchBlock NewScratch(uint64_t dataBytes);

}  // namespace tarkel
