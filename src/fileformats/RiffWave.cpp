#include "document/WaveAudio.h"
#include "fileformats/ByteStream.h"

namespace tarkel {
// Placeholder until the RIFF WAVE reader and writer land.
bool WaveAudio::ReadWave(ByteSource&) { return false; }
bool WaveAudio::WriteWave(ByteSink&, uint32_t, uint32_t) { return false; }
}  // namespace tarkel
