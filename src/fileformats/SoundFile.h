#pragma once
// The entries for reading and writing sound files: the reader is chosen by content (RIFF WAVE,
// Creative Voice, anything else raw), the writer by the name (".VOC" Creative Voice, anything
// else RIFF WAVE).
#include <cstdint>
#include <span>
#include <string>

namespace tarkel {

class WaveAudio;
class ByteSource;
class WaveFormat;

// Opens the file at `path` into `wave` (which is empty), choosing the reader by content.
// Shows the reader's message on failure.
bool OpenSoundFile(WaveAudio& wave, const std::string& path, int32_t backgroundOption, bool hardDisk,
                   int32_t reserved = 0);
// The same choice of reader over bytes in memory.
bool OpenSoundMemory(WaveAudio& wave, std::span<const uint8_t> bytes);
// The raw reader: every byte of `in` as 8-bit unsigned mono at 22050 frames per second.
bool ReadRaw(WaveAudio& wave, ByteSource& in);
// Finds and reads the format chunk of a RIFF WAVE source into `scratch`; a "fact" chunk met on
// the way sets the frame count of `wave`.
bool GetWaveFileFormat(ByteSource& in, WaveFormat& scratch, WaveAudio& wave);

// Writes frames `first` up to, not including, `end` of `wave` to `path`, never destroying an
// existing file unless the new one was written completely.
bool SaveSoundFile(WaveAudio& wave, const std::string& path, uint32_t first, uint32_t end);

}  // namespace tarkel
