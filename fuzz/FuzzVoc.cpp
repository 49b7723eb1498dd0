// libFuzzer target: the Creative Voice reader over bytes in memory.
#include "FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tarkel::WaveAudio wave;
  tarkel::MemorySource in({data, size});
  if (ReadVoc(wave, in)) tarkel::fuzz::RequireVoiceRoundTrip(wave);
  return 0;
}
