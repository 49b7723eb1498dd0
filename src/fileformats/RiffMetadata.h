#pragma once
// The chunks of a RIFF WAVE file that the writer does not make itself ("fmt ", "fact", "data"
// and RF64's "ds64" are its own): read into the sound's FileChunks in file order, and written
// back where they stood, before or after the "data" chunk.
#include <cstdint>

#include "sound/FileChunks.h"
#include "fileformats/ByteStream.h"
#include "fileformats/RiffChunks.h"

namespace tarkel {

// Whether the writer makes this chunk itself, so that a file's copy of it is not kept.
bool IsWrittenChunk(const RiffChunk& chunk);
// Keeps the bytes of `chunk` that the source holds (up to `walkEnd`). False when the memory
// for them cannot be had.
bool KeepChunk(FileChunks& kept, const RiffChunk& chunk, ByteSource& in, uint64_t walkEnd, bool afterData);
// The bytes that the kept chunks before (or after) the data take in a file, headers and pad
// bytes included.
uint64_t KeptChunksBytes(const FileChunks& kept, bool afterData);
// Drops the kept chunks that describe the samples in their old format ("PEAK": the peaks of
// floating-point data) after the samples were converted.
void ForgetFormatChunks(FileChunks& kept);
// Writes the kept chunks before (or after) the data; false when a write failed.
bool WriteKeptChunks(ByteSink& out, const FileChunks& kept, bool afterData);

}  // namespace tarkel
