// libFuzzer target: the RIFF WAVE reader over bytes in memory.
#include "FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tarkel::WaveAudio wave;
  tarkel::MemorySource in({data, size});
  if (ReadWave(wave, in)) tarkel::fuzz::RequireWaveRoundTrip(wave);
  return 0;
}
