// Change length and speed: the size of the sound and its sampling rate.
#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "editing/EditOperations.h"

namespace tarkel {

bool ChangeLength(DocWaveAudio& wave, uint32_t frames) {
  const uint64_t bytes = uint64_t(frames) * wave.BlockAlign();
  if (wave.BlockAlign() == 0 || bytes > UINT32_MAX || !wave.ResizeData(uint32_t(bytes))) {
    ShowMessage(msg::kNotEnoughMemory);
    return false;
  }
  return true;
}

bool ChangeSpeed(DocWaveAudio& wave, uint32_t rate) {
  if (rate == 0) return false;
  WaveFormat& f = wave.Format();
  f.SetSamplesPerSec(rate);
  f.SetAvgBytesPerSec(uint32_t(uint64_t(rate) * f.BlockAlign()));
  wave.RefreshPcmCopy();
  return true;
}

}  // namespace tarkel
