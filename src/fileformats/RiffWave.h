#pragma once
// The layout of the RIFF WAVE files that the program writes: "RIFF"/"WAVE", a "fmt " chunk that
// always holds the whole 218-byte format block, a "fact" chunk with the frame count (for every
// format, PCM included) and the "data" chunk, 258 bytes before the first sample.
#include <cstdint>

#include "sound/WaveFormat.h"

namespace tarkel {

inline constexpr uint32_t kFactChunkSize = 4;
inline constexpr uint32_t kWaveFileHeaderSize = 12 + 8 + kFormatBlockSize + 8 + kFactChunkSize + 8;  // 258
static_assert(kWaveFileHeaderSize == 258);

class ByteSink;
class ByteSource;
class WaveAudio;

// Reads a RIFF WAVE file from an already opened source into `wave`; shows its own message on
// failure.
bool ReadWave(WaveAudio& wave, ByteSource& in);
// Writes frames `first` up to, not including, `end` of `wave` as a RIFF WAVE file.
bool WriteWave(const WaveAudio& wave, ByteSink& out, uint32_t first, uint32_t end);

// Fills the 258 header bytes of a file holding `frames` frames in `dataBytes` sample bytes.
void BuildWaveFileHeader(uint8_t* header, const WaveFormat& format, uint32_t frames, uint32_t dataBytes);

}  // namespace tarkel
