// libFuzzer target: the choice of reader (RIFF WAVE, Creative Voice, raw) over bytes in memory,
// as the clipboard and files reach it.
#include "FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tarkel::WaveAudio wave;
  if (tarkel::OpenSoundMemory(wave, {data, size})) tarkel::fuzz::RequireWaveRoundTrip(wave);
  return 0;
}
