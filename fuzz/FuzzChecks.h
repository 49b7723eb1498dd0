#pragma once
// What every fuzz target checks beyond "no crash": a sound that was read can be written and
// read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "sound/WaveAudio.h"
#include "fileformats/ByteStream.h"
#include "fileformats/CreativeVoice.h"
#include "fileformats/RiffWave.h"
#include "fileformats/SoundFile.h"

namespace tarkel::fuzz {

inline void Require(bool condition) {
  if (!condition) std::abort();
}

// The whole frames of `a` and `b` hold the same bytes.
inline void RequireSameFrames(const WaveAudio& a, const WaveAudio& b) {
  Require(a.Frames() == b.Frames());
  const size_t bytes = size_t(a.Frames()) * a.BlockAlign();
  Require(bytes == 0 || std::memcmp(a.Data(), b.Data(), bytes) == 0);
}

// Writes `wave` as RIFF WAVE into memory and reads it back through the choice of reader.
inline void RequireWaveRoundTrip(WaveAudio& wave) {
  if (!wave.HasData()) return;
  MemorySink sink;
  Require(WriteWave(wave, sink, 0, wave.Frames()));
  WaveAudio back;
  Require(OpenSoundMemory(back, sink.Bytes()));
  Require(std::memcmp(back.Format().Data(), wave.Format().Data(), kFormatBlockSize) == 0);
  RequireSameFrames(wave, back);
}

// Writes an 8-bit sound as Creative Voice into memory and reads it back.
inline void RequireVoiceRoundTrip(WaveAudio& wave) {
  if (!wave.HasData()) return;
  MemorySink sink;
  Require(WriteVoc(wave, sink, 0, wave.Frames()));
  WaveAudio back;
  MemorySource in(sink.Bytes());
  Require(ReadVoc(back, in));
  Require(back.Format().SamePcmFields(wave.Format()));
  RequireSameFrames(wave, back);
}

}  // namespace tarkel::fuzz
