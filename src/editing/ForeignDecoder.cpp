#include "editing/ForeignDecoder.h"

#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "sound/Bytes.h"
#include "editing/SampleAccess.h"

namespace tarkel {
namespace {

constexpr uint64_t kChunkFrames = 8192;
constexpr uint32_t kRiffWaveHeader = 12;
constexpr double kFloatScale = 32768.0;  // full scale 1.0, as libsndfile reads 16 bits back as float

// How the source's samples reach 16 bits.
enum class Width { Exact16, Wide32, Float, Pcm8 };

// The RIFF WAVE header libsndfile reads in front of the held data.
std::vector<uint8_t> RiffHeaderFor(const WaveFormat& format, uint32_t dataBytes, std::optional<uint32_t> fact) {
  const uint32_t fmtSize = format.FormatTag() == kFormatTagPcm && format.ExtraSize() == 0 ? kPcmFormatSize
                                                                                           : format.CopySize();
  const uint32_t fmtPadded = fmtSize + (fmtSize & 1u);
  std::vector<uint8_t> h(kRiffWaveHeader + 8 + fmtPadded + (fact ? 12 : 0) + 8, 0);
  uint8_t* p = h.data();
  PutTag(p, "RIFF");
  PutLE32(p + 4, uint32_t(std::min<uint64_t>(uint64_t(h.size()) - 8 + dataBytes, UINT32_MAX)));
  PutTag(p + 8, "WAVE");
  p += kRiffWaveHeader;
  PutTag(p, "fmt ");
  PutLE32(p + 4, fmtSize);
  std::memcpy(p + 8, format.Data(), fmtSize);
  p += 8 + fmtPadded;
  if (fact) {
    PutTag(p, "fact");
    PutLE32(p + 4, 4);
    PutLE32(p + 8, *fact);
    p += 12;
  }
  PutTag(p, "data");
  PutLE32(p + 4, dataBytes);
  return h;
}

// The dither: 65536 values of a triangular distribution over [0, 65535] (the mean of two
// uniform 16-bit values), in 1/65536 LSB, made once from a fixed seed and used in turn. A table
// lets the dithering loop run vectorised; its period of 65536 samples keeps the noise white
// down to fractions of a hertz.
constexpr size_t kDitherValues = size_t(1) << 16;

const std::array<uint32_t, kDitherValues>& DitherTable() {
  static const std::array<uint32_t, kDitherValues> table = [] {
    std::array<uint32_t, kDitherValues> t{};
    uint32_t state = 0x9E3779B9u;
    const auto next16 = [&state] {
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      return state & 0xFFFF;
    };
    for (uint32_t& v : t) v = (next16() + next16()) >> 1;
    return t;
  }();
  return table;
}

// Where one conversion stands in the dither table.
class DitherNoise {
 public:
  // The values for the next `n` samples (n at most kDitherValues); starts over at the table's
  // start when fewer remain.
  const uint32_t* Take(size_t n) {
    if (position_ + n > kDitherValues) position_ = 0;
    const uint32_t* values = DitherTable().data() + position_;
    position_ += n;
    return values;
  }

 private:
  size_t position_ = 0;
};

}  // namespace

// The header and the held bytes as one file that libsndfile reads through its virtual I/O.
struct ForeignDecoder::Stream {
  std::vector<uint8_t> header;
  const uint8_t* data = nullptr;
  uint64_t dataBytes = 0;
  int64_t position = 0;
  SNDFILE* file = nullptr;
  SF_INFO info{};
  Width width = Width::Exact16;
  uint16_t outChannels = 0;
  DitherNoise noise;
  std::vector<int32_t> wide;
  std::vector<float> floats;
  std::vector<int16_t> shorts;
  std::vector<int16_t> mixed;

  ~Stream() {
    if (file) sf_close(file);
  }
  int64_t Length() const { return int64_t(header.size() + dataBytes); }

  static sf_count_t GetLength(void* self) { return static_cast<Stream*>(self)->Length(); }
  static sf_count_t Seek(sf_count_t offset, int whence, void* self) {
    Stream& s = *static_cast<Stream*>(self);
    const int64_t base = whence == SEEK_CUR ? s.position : whence == SEEK_END ? s.Length() : 0;
    const int64_t target = base + offset;
    if (target < 0 || target > s.Length()) return -1;
    s.position = target;
    return target;
  }
  static sf_count_t ReadBytes(void* to, sf_count_t count, void* self) {
    Stream& s = *static_cast<Stream*>(self);
    uint8_t* out = static_cast<uint8_t*>(to);
    sf_count_t done = 0;
    while (done < count && s.position < s.Length()) {
      const int64_t headerSize = int64_t(s.header.size());
      const uint8_t* from = s.position < headerSize ? s.header.data() + s.position : s.data + (s.position - headerSize);
      const int64_t available = s.position < headerSize ? headerSize - s.position : s.Length() - s.position;
      const int64_t n = std::min<int64_t>(available, count - done);
      std::memcpy(out + done, from, size_t(n));
      done += n;
      s.position += n;
    }
    return done;
  }
  static sf_count_t Write(const void*, sf_count_t, void*) { return 0; }
  static sf_count_t Tell(void* self) { return static_cast<Stream*>(self)->position; }

  // Source samples of `frames` frames to 16 bits, source channels, into `to`.
  sf_count_t ReadShorts(int16_t* to, sf_count_t frames) {
    const size_t samples = size_t(frames) * info.channels;
    sf_count_t got = 0;
    switch (width) {
      case Width::Exact16:
      case Width::Pcm8:
        got = sf_readf_short(file, to, frames);
        break;
      case Width::Wide32: {
        wide.resize(samples);
        got = sf_readf_int(file, wide.data(), frames);
        const size_t n = size_t(got) * info.channels;
        const uint32_t* d = noise.Take(n);
        for (size_t i = 0; i < n; ++i) {
          // (v + d) >> 16 without leaving 32 bits: the high half plus the carry of the low half.
          const int32_t v = wide[i];
          const int32_t r = (v >> 16) + int32_t(((uint32_t(v) & 0xFFFF) + d[i]) >> 16);
          to[i] = int16_t(std::min(r, int32_t(INT16_MAX)));
        }
        break;
      }
      case Width::Float: {
        floats.resize(samples);
        got = sf_readf_float(file, floats.data(), frames);
        const size_t n = size_t(got) * info.channels;
        const uint32_t* d = noise.Take(n);
        for (size_t i = 0; i < n; ++i) {
          const float exact = std::clamp(floats[i] * float(kFloatScale) + float(d[i]) * (1.0f / 65536.0f), -32768.0f, 32767.0f);
          to[i] = int16_t(std::floor(exact));
        }
        break;
      }
    }
    return got;
  }

  // Mixes more than two channels down to two: even channels left, odd channels right.
  const int16_t* Channelled(sf_count_t frames) {
    const int channels = info.channels;
    if (channels == outChannels) return shorts.data();
    mixed.resize(size_t(frames) * outChannels);
    const int left = (channels + 1) / 2, right = channels / 2;
    for (sf_count_t f = 0; f < frames; ++f) {
      const int16_t* in = &shorts[size_t(f) * channels];
      int64_t sum[2] = {0, 0};
      for (int c = 0; c < channels; ++c) sum[c & 1] += in[c];
      mixed[size_t(f) * 2] = int16_t(sum[0] / left);
      mixed[size_t(f) * 2 + 1] = int16_t(sum[1] / right);
    }
    return mixed.data();
  }
};

ForeignDecoder::ForeignDecoder() = default;
ForeignDecoder::~ForeignDecoder() = default;

bool ForeignDecoder::Open(const WaveFormat& format, const uint8_t* data, uint32_t bytes,
                          std::optional<uint32_t> factSamples) {
  auto s = std::make_unique<Stream>();
  s->header = RiffHeaderFor(format, bytes, factSamples);
  s->data = data;
  s->dataBytes = data ? bytes : 0;
  SF_VIRTUAL_IO io{&Stream::GetLength, &Stream::Seek, &Stream::ReadBytes, &Stream::Write, &Stream::Tell};
  s->file = sf_open_virtual(&io, SFM_READ, &s->info, s.get());
  if (!s->file || s->info.channels < 1 || s->info.samplerate < 1) return false;
  switch (s->info.format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
      s->width = Width::Wide32;
      break;
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE:
      s->width = Width::Float;
      break;
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_S8:
      s->width = Width::Pcm8;
      break;
    default:
      s->width = Width::Exact16;
      break;
  }
  s->outChannels = uint16_t(std::min(s->info.channels, 2));
  decoded_ = WaveFormat::Pcm(s->outChannels, uint32_t(s->info.samplerate), s->width == Width::Pcm8 ? 8 : 16);
  stream_ = std::move(s);
  return true;
}

uint64_t ForeignDecoder::Frames() const { return stream_ && stream_->info.frames > 0 ? uint64_t(stream_->info.frames) : 0; }

uint64_t ForeignDecoder::Read(uint8_t* out, uint64_t frames) {
  if (!stream_) return 0;
  Stream& s = *stream_;
  const uint32_t align = decoded_.BlockAlign();
  uint64_t done = 0;
  while (done < frames) {
    const uint64_t pieceFrames = std::max<uint64_t>(1, std::min<uint64_t>(kChunkFrames, kDitherValues / s.info.channels));
    const sf_count_t want = sf_count_t(std::min(pieceFrames, frames - done));
    uint8_t* to = out + done * align;
    // Samples that need no mixing and stay 16-bit are decoded in place.
    const bool inPlace = s.width != Width::Pcm8 && s.info.channels == s.outChannels;
    if (!inPlace) s.shorts.resize(size_t(want) * s.info.channels);
    const sf_count_t got = s.ReadShorts(inPlace ? reinterpret_cast<int16_t*>(to) : s.shorts.data(), want);
    if (got <= 0) break;
    if (!inPlace) {
      const int16_t* samples = s.Channelled(got);
      const size_t count = size_t(got) * s.outChannels;
      if (s.width == Width::Pcm8) {
        for (size_t i = 0; i < count; ++i) to[i] = uint8_t((samples[i] >> 8) + 128);
      } else {
        std::memcpy(to, samples, count * sizeof(int16_t));
      }
    }
    done += uint64_t(got);
  }
  return done;
}

}  // namespace tarkel
