#include "fileformats/RiffWave.h"

#include <algorithm>
#include <cstring>

#include "sound/Bytes.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "sound/WaveAudio.h"
#include "fileformats/BackgroundRead.h"
#include "fileformats/ByteStream.h"
#include "fileformats/HeldFormat.h"
#include "fileformats/MarkerShift.h"
#include "fileformats/RiffChunks.h"
#include "fileformats/RiffMetadata.h"
#include "fileformats/SoundFile.h"
#include "fileformats/SteppedTransfer.h"

namespace tarkel {
namespace {

constexpr uint8_t kPadByte = 0;

// Reads the frame count that a "fact" chunk holds; chunks too short to hold one are passed over.
void ReadFactChunk(ByteSource& in, const RiffChunk& chunk, WaveAudio& wave) {
  uint8_t count[kFactChunkSize];
  if (chunk.size >= kFactChunkSize && in.Read(count, sizeof count) == sizeof count) {
    wave.SetFrameCount(GetLE32(count));
    wave.Chunks().factSamples = GetLE32(count);
  }
}

// A format the sample code can work with: at least one channel and a frame of at least one byte.
bool IsUsableFormat(const WaveFormat& format) { return format.Channels() != 0 && format.BlockAlign() != 0; }

// Reads the sample bytes of the "data" chunk in 20 steps. A chunk that claims more bytes than the
// file holds (a cut-off file) gives the bytes that are there; bytes that cannot be read after
// all (the file shrank while being read) are left silent.
bool ReadDataChunk(ByteSource& in, const RiffChunk& chunk, WaveAudio& wave) {
  const uint32_t bytes = uint32_t(chunk.HeldSize(in.Size()));
  uint8_t* data = wave.AllocateDataForReading(bytes);
  if (!data) {
    ShowMessage(msg::kNotEnoughMemory);
    return false;
  }
  const uint8_t silence = wave.SilenceValue();
  if (!in.Seek(chunk.dataOffset)) std::memset(data, silence, bytes);
  const auto readStep = [&](uint64_t offset, uint64_t count) {
    const size_t got = in.Read(data + offset, size_t(count));
    if (got < count) std::memset(data + offset + got, silence, size_t(count - got));
    return true;
  };
  if (TransferInSteps(bytes, kReadingCaption, readStep) != TransferResult::kDone) {
    wave.ReleaseData();
    return false;
  }
  wave.SetDataSize(bytes);
  return true;
}

}  // namespace

bool GetWaveFileFormat(ByteSource& in, WaveFormat& scratch, WaveAudio& wave) {
  scratch = WaveFormat();
  RiffWalker walk(in);
  if (!walk.Enter()) return false;
  RiffChunk chunk;
  while (walk.Next(chunk)) {
    if (chunk.Is("fmt ") || chunk.Is("fmt_")) {
      if (chunk.size > kFormatBlockSize) return false;
      scratch.SetExtraSize(0);
      if (in.Read(scratch.Data(), chunk.size) != chunk.size) return false;
      if (scratch.AvgBytesPerSec() == 0) {
        const uint64_t perSecond = uint64_t(scratch.SamplesPerSec()) * scratch.BlockAlign();
        scratch.SetAvgBytesPerSec(uint32_t(std::min<uint64_t>(perSecond, UINT32_MAX)));
      }
      return IsUsableFormat(scratch);
    }
    if (chunk.Is("fact")) ReadFactChunk(in, chunk, wave);
  }
  return false;
}

void BuildWaveFileHeader(uint8_t* h, const WaveFormat& format, uint32_t frames, uint32_t dataBytes) {
  const uint32_t pad = dataBytes & 1u;
  PutTag(h + 0, "RIFF");
  PutLE32(h + 4, kWaveFileHeaderSize - kChunkHeaderSize + dataBytes + pad);
  PutTag(h + 8, "WAVE");
  PutTag(h + 12, "fmt ");
  PutLE32(h + 16, kFormatBlockSize);
  std::memcpy(h + 20, format.Data(), kFormatBlockSize);
  PutTag(h + 238, "fact");
  PutLE32(h + 242, kFactChunkSize);
  PutLE32(h + 246, frames);
  PutTag(h + 250, "data");
  PutLE32(h + 254, dataBytes);
}

bool ReadWave(WaveAudio& wave, ByteSource& in) {
  WaveFormat scratch;
  if (!GetWaveFileFormat(in, scratch, wave)) {
    ShowMessage(msg::kGetWaveFileFormat);
    return false;
  }
  RiffWalker walk(in);
  if (!walk.Enter()) {
    ShowMessage(msg::kInvalidWavFormat);
    return false;
  }
  PlainPcmFromExtensible(scratch);  // edited as the plain PCM it is, and saved as such
  wave.Format().AssignFrom(scratch.Data(), scratch.CopySize());
  wave.Chunks().Clear();
  bool dataRead = false;
  RiffChunk chunk;
  while (walk.Next(chunk)) {
    if (chunk.Is("fact") && !dataRead) ReadFactChunk(in, chunk, wave);
    if (chunk.Is("data") && !dataRead) {
      if (chunk.oversized) {
        ShowMessage(msg::kDataTooLarge);
        return false;
      }
      const uint32_t held = uint32_t(chunk.HeldSize(in.Size()));
      const bool read = UsesBackgroundRead(wave, in) ? StartBackgroundRead(wave, wave.FileName(), chunk.dataOffset, held)
                                                     : ReadDataChunk(in, chunk, wave);
      if (!read) return false;
      dataRead = true;
      continue;
    }
    // Everything else the file holds is kept for saving, in its place before or after the data.
    if (!IsWrittenChunk(chunk) && !KeepChunk(wave.Chunks(), chunk, in, walk.End(), dataRead)) {
      wave.ReleaseData();
      wave.Chunks().Clear();
      ShowMessage(msg::kNotEnoughMemory);
      return false;
    }
  }
  return true;  // without a "data" chunk: the format alone
}

bool WriteWave(const WaveAudio& wave, ByteSink& out, uint32_t first, uint32_t end) {
  // A blocked format (ADPCM, GSM, MPEG) saved whole keeps every data byte and its "fact" count;
  // a part of it is written in whole blocks.
  const bool whole = first == 0 && end == wave.Frames();
  const bool blocked = IsBlockedFormat(wave.Format());
  const uint64_t bytes64 = blocked && whole ? wave.DataSize() : uint64_t(end - first) * wave.BlockAlign();
  const uint32_t factValue = !blocked                        ? end - first
                             : whole && wave.Chunks().factSamples ? *wave.Chunks().factSamples
                                                            : FactForBlocks(wave, first, end);
  const FileChunks part = whole ? FileChunks() : ChunksForPart(wave.Chunks(), first, end, wave.Frames());
  const FileChunks& kept = whole ? wave.Chunks() : part;
  const uint64_t before = KeptChunksBytes(kept, false), after = KeptChunksBytes(kept, true);
  if (first > end || end > wave.Frames() || uint64_t(first) * wave.BlockAlign() + bytes64 > wave.DataSize() ||
      bytes64 + kWaveFileHeaderSize + 1 + before + after > UINT32_MAX) {
    ShowMessage(msg::kCreateFileError);
    return false;
  }
  const uint32_t bytes = uint32_t(bytes64);
  uint8_t header[kWaveFileHeaderSize];
  BuildWaveFileHeader(header, wave.Format(), factValue, bytes);
  PutLE32(header + 4, GetLE32(header + 4) + uint32_t(before + after));
  // The kept chunks that stood before the data go between "fact" and "data".
  constexpr uint32_t kDataHeaderAt = kWaveFileHeaderSize - kChunkHeaderSize;
  const bool headerWritten = before == 0 ? out.Write(header, sizeof header)
                                         : out.Write(header, kDataHeaderAt) && WriteKeptChunks(out, kept, false) &&
                                               out.Write(header + kDataHeaderAt, kChunkHeaderSize);
  if (!headerWritten) {
    ShowMessage(msg::kWriteOutOfSpace);
    return false;
  }
  const uint8_t* from = bytes ? wave.Data() + size_t(first) * wave.BlockAlign() : nullptr;
  const auto writeStep = [&](uint64_t offset, uint64_t count) {
    return count == 0 || out.Write(from + offset, size_t(count));
  };
  switch (TransferInSteps(bytes, kSavingCaption, writeStep)) {
    case TransferResult::kDone:
      break;
    case TransferResult::kCancelled:
      return false;
    case TransferResult::kFailed:
      ShowMessage(msg::kWriteOutOfSpace);
      return false;
  }
  if (((bytes & 1u) && !out.Write(&kPadByte, 1)) || !WriteKeptChunks(out, kept, true)) {
    ShowMessage(msg::kWriteOutOfSpace);
    return false;
  }
  return true;
}

}  // namespace tarkel
