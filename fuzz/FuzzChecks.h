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
#include "fileformats/MarkerShift.h"
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

// Moves the positions of the kept chunks as edits, conversions and partial saves do; the
// chunks' sizes must stay what their counts say.
inline void ExerciseKeptPositions(const WaveAudio& wave) {
  FileChunks moved = wave.Chunks();
  ApplySplice(moved, {2, 3, 0});
  ApplySplice(moved, {0, 0, 7});
  ScalePositions(moved, 8000, 44100);
  moved = ChunksForPart(moved, 1, 5, 9);
  for (size_t i = 0; i < moved.chunks.size(); ++i) Require(moved.chunks[i].bytes.size() <= UINT32_MAX);
}

// Writes `wave` as RIFF WAVE into memory and reads it back through the choice of reader.
inline void RequireWaveRoundTrip(WaveAudio& wave) {
  ExerciseKeptPositions(wave);
  if (!wave.HasData()) return;
  MemorySink sink;
  Require(WriteWave(wave, sink, 0, wave.Frames()));
  WaveAudio back;
  Require(OpenSoundMemory(back, sink.Bytes()));
  Require(std::memcmp(back.Format().Data(), wave.Format().Data(), kFormatBlockSize) == 0);
  RequireSameFrames(wave, back);
}

// Writes an 8-bit sound as Creative Voice into memory and reads it back (a 16-bit one, which
// the writer does not take, as RIFF WAVE). The type-1 time constant says a rate only to the
// microsecond: the rate read back is the one the written constant stands for.
inline void RequireVoiceRoundTrip(WaveAudio& wave) {
  if (!wave.HasData()) return;
  if (wave.BitsPerSample() != 8) return RequireWaveRoundTrip(wave);
  MemorySink sink;
  Require(WriteVoc(wave, sink, 0, wave.Frames()));
  WaveAudio back;
  MemorySource in(sink.Bytes());
  Require(ReadVoc(back, in));
  Require(back.Rate() == VocRateReadBack(wave.Rate(), wave.Channels()));
  Require(back.Channels() == wave.Channels() && back.BitsPerSample() == wave.BitsPerSample());
  RequireSameFrames(wave, back);
}

}  // namespace tarkel::fuzz
