#include "document/WaveAudio.h"
#include "fileformats/ByteStream.h"

namespace tarkel {
// Placeholder until the Creative Voice reader and writer land.
bool WaveAudio::ReadVoc(ByteSource&) { return false; }
bool WaveAudio::WriteVoc(ByteSink&, uint32_t, uint32_t) { return false; }
}  // namespace tarkel
