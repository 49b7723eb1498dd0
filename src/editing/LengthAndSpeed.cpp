// Change speed: the sampling rate of the sound.
#include "sound/DocWaveAudio.h"
#include "editing/EditOperations.h"

namespace tarkel {

bool ChangeSpeed(DocWaveAudio& wave, uint32_t rate) {
  if (rate == 0) return false;
  WaveFormat& f = wave.Format();
  f.SetSamplesPerSec(rate);
  f.SetAvgBytesPerSec(uint32_t(uint64_t(rate) * f.BlockAlign()));
  wave.RefreshPcmCopy();
  return true;
}

}  // namespace tarkel
