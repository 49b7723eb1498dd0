#include "fileformats/CreativeVoice.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "sound/Bytes.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "sound/WaveAudio.h"
#include "fileformats/ByteStream.h"

namespace tarkel {
namespace {

constexpr uint32_t kSoundFieldBytes = 2;  // time constant and pack before the samples
constexpr uint8_t kPackPcm8 = 0;
constexpr uint8_t kModeStereo = 1;
constexpr uint32_t kStandardRates[] = {8000, 11025, 16000, 22050, 32000, 44100, 48000};
constexpr uint32_t kSnapPercent = 2;
constexpr uint32_t kRateWithoutBlock = 11025;

uint32_t GetLE24(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16); }
void PutLE24(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
  p[2] = uint8_t(v >> 16);
}

bool Refuse(int message) {
  ShowMessage(message);
  return false;
}
bool Damaged() { return Refuse(msg::kUnsupportedVoc); }

// What the reader knows while it walks the blocks.
struct VocReadState {
  uint16_t channels = 1;
  uint16_t bits = 8;
  uint32_t rate = 0;
  bool extendedPending = false;  // a type-8 block sets the format of the next type-1 block
  uint32_t total = 0;            // sample bytes read so far
};

// Appends up to `length` sample bytes from `in` to the sound. A block that runs past the end of
// the file (a cut-off file) gives the bytes that are there; the file then has nothing more.
bool AppendSamples(WaveAudio& wave, ByteSource& in, uint32_t length, VocReadState& state) {
  const uint32_t held = uint32_t(std::min<uint64_t>(length, in.Remaining()));
  if (held == 0) return true;
  if (uint64_t(state.total) + held > UINT32_MAX) return Refuse(msg::kNotEnoughMemory);
  // Samples of one width only: a block that changes it after samples were read cannot be
  // appended to them.
  if (wave.HasData() && wave.Format().BitsPerSample() != state.bits) return Damaged();
  wave.Format() = WaveFormat::Pcm(state.channels, state.rate, state.bits);
  const uint32_t grown = state.total + held;
  uint8_t* data = wave.HasData() ? wave.ResizeData(grown) : wave.AllocateDataForReading(grown);
  if (!data) return Refuse(msg::kNotEnoughMemory);
  const size_t got = in.Read(data + state.total, held);
  state.total += uint32_t(got);
  if (got < held) wave.ResizeData(state.total);  // shrinking keeps the block
  return true;
}

// Passes over a block that carries nothing the sound needs.
bool SkipBlock(ByteSource& in, uint32_t length) {
  if (length > in.Remaining()) return Damaged();
  in.Seek(in.Tell() + length);
  return true;
}

bool ReadSoundBlock(WaveAudio& wave, ByteSource& in, uint32_t length, VocReadState& state) {
  uint8_t fields[kSoundFieldBytes];
  if (length < kSoundFieldBytes || in.Read(fields, sizeof fields) != sizeof fields) return Damaged();
  if (!state.extendedPending) {
    if (fields[1] != kPackPcm8) return Refuse(msg::kVocOnlyPcm);
    state.rate = VocRateOfTimeConstant(fields[0]);
    state.channels = 1;
  }
  state.bits = 8;
  state.extendedPending = false;
  return AppendSamples(wave, in, length - kSoundFieldBytes, state);
}

bool ReadExtendedBlock(ByteSource& in, uint32_t length, VocReadState& state) {
  uint8_t fields[kVocExtendedLength];
  if (length < kVocExtendedLength || length > in.Remaining() || in.Read(fields, sizeof fields) != sizeof fields)
    return Damaged();
  if (fields[2] != kPackPcm8) return Refuse(msg::kVocOnlyPcm);
  if (fields[3] > kModeStereo) return Damaged();
  state.channels = uint16_t(fields[3] + 1);
  state.rate = VocRateFromExtendedConstant(GetLE16(fields), state.channels);
  state.extendedPending = true;
  return SkipBlock(in, length - kVocExtendedLength);
}

// Whether well-formed blocks run from `at` to a terminator in the last byte or to the end.
bool BlocksFollow(ByteSource& in, uint64_t at) {
  while (at < in.Size()) {
    uint8_t head[4] = {};
    if (!in.Seek(at) || in.Read(head, 1) != 1) return false;
    if (head[0] == kVocTerminator) return at + 1 == in.Size();
    if (head[0] > kVocSoundDataNew || in.Read(head + 1, 3) != 3) return false;
    at += 4 + GetLE24(head + 1);
  }
  return at == in.Size();
}

// The sample bytes of a type-9 block whose fields have been read. sox gives such a block the
// length of its samples + 4 instead of + 12: when no blocks follow the samples so counted but
// the samples 8 bytes longer end at the file's final terminator, they run on to it.
uint32_t NewBlockSampleBytes(ByteSource& in, uint32_t length) {
  constexpr uint32_t kSoxShortfall = kVocNewFieldsLength - 4;
  const uint32_t claimed = length - kVocNewFieldsLength;
  const uint64_t samplesAt = in.Tell();
  const uint64_t claimedEnd = samplesAt + claimed;
  if (claimedEnd + kSoxShortfall + 1 != in.Size()) return claimed;
  uint8_t last = 0xFF;
  const bool soxLayout = in.Seek(in.Size() - 1) && in.Read(&last, 1) == 1 && last == kVocTerminator &&
                         !BlocksFollow(in, claimedEnd);
  in.Seek(samplesAt);
  return soxLayout ? claimed + kSoxShortfall : claimed;
}

constexpr uint32_t kVocHighestRate = 1000000;

// A type-9 block: rate, width and channels given directly; 8-bit unsigned or 16-bit signed PCM.
bool ReadNewSoundBlock(WaveAudio& wave, ByteSource& in, uint32_t length, VocReadState& state) {
  uint8_t fields[kVocNewFieldsLength];
  if (length < kVocNewFieldsLength || in.Read(fields, sizeof fields) != sizeof fields) return Damaged();
  const uint32_t rate = GetLE32(fields);
  const uint8_t bits = fields[4], channels = fields[5];
  const uint16_t codec = GetLE16(fields + 6);
  const bool pcm = (codec == kVocCodecPcm8 && bits == 8) || (codec == kVocCodecPcm16 && bits == 16);
  if (!pcm) return Refuse(msg::kVocOnlyPcm);
  // A rate no sound card plays marks a damaged block (and would overflow the bytes per second).
  if (rate == 0 || rate > kVocHighestRate || channels < 1 || channels > 2) return Damaged();
  state.rate = rate;
  state.bits = bits;
  state.channels = channels;
  state.extendedPending = false;
  return AppendSamples(wave, in, NewBlockSampleBytes(in, length), state);
}

// Reads one block after its type byte; false (with the message shown) when the file is refused.
bool ReadBlock(WaveAudio& wave, ByteSource& in, uint8_t type, VocReadState& state) {
  uint8_t lengthBytes[3];
  if (in.Read(lengthBytes, sizeof lengthBytes) != sizeof lengthBytes) return Damaged();
  const uint32_t length = GetLE24(lengthBytes);
  switch (type) {
    case kVocSoundData:
      return ReadSoundBlock(wave, in, length, state);
    case kVocContinuation:
      return AppendSamples(wave, in, length, state);
    case kVocSilence:
    case kVocMarker:
    case kVocText:
    case kVocRepeatStart:
    case kVocRepeatEnd:
      return SkipBlock(in, length);
    case kVocExtended:
      return ReadExtendedBlock(in, length, state);
    case kVocSoundDataNew:
      return ReadNewSoundBlock(wave, in, length, state);
    default:
      return Damaged();
  }
}

void SetVocFormat(WaveFormat& format, uint16_t channels, uint32_t rate, uint16_t bits = 8) {
  format = WaveFormat::Pcm(channels, rate, bits);
}

void BuildVocHeader(uint8_t* h) {
  std::memcpy(h, kVocSignature, 19);
  h[19] = kVocSignatureEnd;
  PutLE16(h + 20, uint16_t(kVocHeaderSize));
  PutLE16(h + 22, kVocVersion);
  PutLE16(h + 24, kVocCheck);
}

bool WriteBlockHead(ByteSink& out, uint8_t type, uint32_t length) {
  uint8_t head[4] = {type};
  PutLE24(head + 1, length);
  return out.Write(head, sizeof head);
}

// Writes the sample bytes as one type-1 block, continued in type-2 blocks when they do not fit.
bool WriteSoundBlocks(ByteSink& out, const uint8_t* data, uint32_t bytes, uint32_t rate) {
  uint32_t first = std::min(bytes, kVocMaxSoundBytes);
  const uint8_t fields[kSoundFieldBytes] = {VocTimeConstantFor(rate), kPackPcm8};
  if (!WriteBlockHead(out, kVocSoundData, first + kSoundFieldBytes) || !out.Write(fields, sizeof fields) ||
      (first && !out.Write(data, first)))
    return false;
  for (uint32_t done = first; done < bytes;) {
    const uint32_t n = std::min(bytes - done, kVocMaxBlockLength);
    if (!WriteBlockHead(out, kVocContinuation, n) || !out.Write(data + done, n)) return false;
    done += n;
  }
  return true;
}

}  // namespace

uint32_t VocRateFromTimeConstant(uint8_t t) { return 1000000u / (256u - t); }

uint32_t VocRateOfTimeConstant(uint8_t t) {
  for (uint32_t standard : kStandardRates)
    if (VocTimeConstantFor(standard) == t) return standard;
  return VocRateFromTimeConstant(t);
}

uint32_t VocRateReadBack(uint32_t rate, uint16_t channels) {
  if (channels == 2) return SnapVocRate(VocRateFromExtendedConstant(VocStereoConstantFor(rate), 2));
  return SnapVocRate(VocRateOfTimeConstant(VocTimeConstantFor(rate)));
}

uint32_t VocRateFromExtendedConstant(uint16_t t, uint16_t channels) {
  const uint32_t rate = 256000000u / (65536u - t);
  return channels == 2 ? rate / 2 : rate;
}

uint8_t VocTimeConstantFor(uint32_t rate) {
  const int64_t t = 256 - int64_t(1000000u / std::max(rate, 1u));
  return uint8_t(std::clamp<int64_t>(t, 0, 255));
}

uint16_t VocStereoConstantFor(uint32_t rate) {
  const int64_t t = 65536 - int64_t(256000000ull / (2ull * std::max(rate, 1u)));
  return uint16_t(std::clamp<int64_t>(t, 0, 65535));
}

uint32_t SnapVocRate(uint32_t rate) {
  uint32_t nearest = kStandardRates[0];
  for (uint32_t standard : kStandardRates)
    if (std::abs(int64_t(rate) - standard) < std::abs(int64_t(rate) - nearest)) nearest = standard;
  const uint64_t distance = uint64_t(std::abs(int64_t(rate) - nearest));
  return distance * 100 <= uint64_t(nearest) * kSnapPercent ? nearest : rate;
}

bool ReadVoc(WaveAudio& wave, ByteSource& in) {
  uint8_t header[kVocHeaderSize];
  if (!in.Seek(0)) return false;
  const size_t got = in.Read(header, sizeof header);
  if (got < 4 || !HasTag(header, "Crea")) return false;
  if (got < sizeof header) return Damaged();
  wave.ReleaseData();  // the blocks are appended to an empty sound
  SetVocFormat(wave.Format(), 1, 0);  // 8 bits while the blocks are read: growth is filled with 127
  VocReadState state;
  uint8_t type = kVocTerminator;
  while (in.Read(&type, 1) == 1 && type != kVocTerminator) {
    if (!ReadBlock(wave, in, type, state)) {
      wave.ReleaseData();
      return false;
    }
  }
  // Samples without a block that gave their rate (continuations only) play at the lowest of
  // the rates the reader always gave.
  SetVocFormat(wave.Format(), state.channels, state.rate ? SnapVocRate(state.rate) : kRateWithoutBlock, state.bits);
  wave.SetDataSize(state.total);
  return true;
}

bool WriteVoc(const WaveAudio& wave, ByteSink& out, uint32_t first, uint32_t end) {
  if (wave.BitsPerSample() != 8 || !wave.Format().IsPcm() || wave.Channels() < 1 || wave.Channels() > 2 ||
      wave.Rate() == 0)
    return Refuse(msg::kUnsupportedVocWrite);
  const uint64_t bytes = uint64_t(end - first) * wave.BlockAlign();
  if (first > end || end > wave.Frames() || uint64_t(first) * wave.BlockAlign() + bytes > wave.DataSize())
    return Refuse(msg::kVocWriteError);
  uint8_t header[kVocHeaderSize];
  BuildVocHeader(header);
  if (!out.Write(header, sizeof header)) return Refuse(msg::kVocWriteError);
  if (wave.Channels() == 2) {
    uint8_t fields[kVocExtendedLength];
    PutLE16(fields, VocStereoConstantFor(wave.Rate()));
    fields[2] = kPackPcm8;
    fields[3] = kModeStereo;
    if (!WriteBlockHead(out, kVocExtended, kVocExtendedLength) || !out.Write(fields, sizeof fields))
      return Refuse(msg::kVocWriteError);
  }
  const uint8_t* from = bytes ? wave.Data() + size_t(first) * wave.BlockAlign() : nullptr;
  if (!WriteSoundBlocks(out, from, uint32_t(bytes), wave.Rate())) return Refuse(msg::kVocWriteError);
  const uint8_t terminator = kVocTerminator;
  if (!out.Write(&terminator, 1)) return Refuse(msg::kVocWriteError);
  return true;
}

}  // namespace tarkel
