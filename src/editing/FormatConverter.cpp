#include "editing/FormatConverter.h"

#include <soxr.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "sound/MessageIds.h"
#include "editing/SampleAccess.h"

namespace tarkel {
namespace {

constexpr uint64_t kChunkFrames = 16384;

bool Supported(const WaveFormat& f) {
  if (f.FormatTag() != kFormatTagPcm) return false;
  if (f.Channels() != 1 && f.Channels() != 2) return false;
  if (f.BitsPerSample() != 8 && f.BitsPerSample() != 16) return false;
  if (f.BlockAlign() != f.Channels() * (f.BitsPerSample() / 8)) return false;
  return f.SamplesPerSec() != 0;
}

// Source frames to 16-bit samples at `channels` (the fewer of source and target channels).
void ToInt16(const uint8_t* src, uint64_t frames, uint16_t srcChannels, uint16_t srcBits, uint16_t channels,
             int16_t* out) {
  const uint32_t width = srcBits / 8;
  for (uint64_t i = 0; i < frames; ++i) {
    const uint8_t* f = src + i * srcChannels * width;
    int16_t s[2];
    for (uint16_t c = 0; c < srcChannels; ++c)
      s[c] = width == 2 ? Load16(f + 2 * c) : int16_t((int(f[c]) - 128) * 256);
    if (channels == srcChannels) {
      for (uint16_t c = 0; c < channels; ++c) out[i * channels + c] = s[c];
    } else {
      out[i] = Mean16(s[0], s[1]);  // stereo to mono
    }
  }
}

// 16-bit samples at `channels` to target frames.
void FromInt16(const int16_t* in, uint64_t frames, uint16_t channels, uint16_t dstChannels, uint16_t dstBits,
               uint8_t* dst) {
  const uint32_t width = dstBits / 8;
  for (uint64_t i = 0; i < frames; ++i) {
    uint8_t* f = dst + i * dstChannels * width;
    for (uint16_t c = 0; c < dstChannels; ++c) {
      const int16_t s = in[i * channels + (channels == dstChannels ? c : 0)];  // mono to stereo: both
      if (width == 2)
        Store16(f + 2 * c, s);
      else
        f[c] = uint8_t((s >> 8) + 128);
    }
  }
}

}  // namespace

int FormatConverter::Open(const WaveFormat& from, const WaveFormat& to) {
  open_ = false;
  if (!Supported(from) || !Supported(to)) return msg::kAcmOpen;
  const uint64_t hi = std::max(from.SamplesPerSec(), to.SamplesPerSec());
  const uint64_t lo = std::min(from.SamplesPerSec(), to.SamplesPerSec());
  if (hi > lo * kMaxRateRatio) return msg::kAcmOpen;
  fromChannels_ = from.Channels();
  toChannels_ = to.Channels();
  fromBits_ = from.BitsPerSample();
  toBits_ = to.BitsPerSample();
  fromRate_ = from.SamplesPerSec();
  toRate_ = to.SamplesPerSec();
  fromAlign_ = from.BlockAlign();
  toAlign_ = to.BlockAlign();
  open_ = true;
  return 0;
}

uint64_t FormatConverter::DestinationSize(uint32_t sourceBytes) const {
  if (!open_) return 0;
  const uint64_t frames = sourceBytes / fromAlign_;
  const uint64_t out = fromRate_ == toRate_ ? frames : frames * toRate_ / fromRate_;
  return out * toAlign_;
}

bool FormatConverter::Convert(const uint8_t* source, uint32_t sourceBytes, uint8_t* target) const {
  if (!open_) return false;
  uint64_t at = 0;
  const uint64_t frames = sourceBytes / fromAlign_;
  const SourcePieces inMemory = [&](uint64_t maxFrames, uint64_t& got) {
    got = std::min(maxFrames, frames - at);
    const uint8_t* piece = source + at * fromAlign_;
    at += got;
    return piece;
  };
  return ConvertPieces(inMemory, frames, target);
}

bool FormatConverter::ConvertPieces(const SourcePieces& pieces, uint64_t sourceFrames, uint8_t* target) const {
  if (!open_) return false;
  if (fromRate_ == toRate_) return ConvertSameRate(pieces, sourceFrames, target);
  return ConvertRate(pieces, sourceFrames, target, DestinationSize(uint32_t(sourceFrames * fromAlign_)) / toAlign_);
}

bool FormatConverter::ConvertSameRate(const SourcePieces& pieces, uint64_t frames, uint8_t* target) const {
  const bool copy = fromChannels_ == toChannels_ && fromBits_ == toBits_;
  const uint16_t mid = std::min(fromChannels_, toChannels_);
  std::vector<int16_t> buffer(copy ? 0 : kChunkFrames * mid);
  for (uint64_t done = 0; done < frames;) {
    uint64_t n = 0;
    const uint8_t* piece = pieces(std::min(kChunkFrames, frames - done), n);
    if (n == 0) break;
    if (copy) {
      std::memcpy(target + done * toAlign_, piece, n * fromAlign_);
    } else {
      ToInt16(piece, n, fromChannels_, fromBits_, mid, buffer.data());
      FromInt16(buffer.data(), n, mid, toChannels_, toBits_, target + done * toAlign_);
    }
    done += n;
  }
  return true;
}

bool FormatConverter::ConvertRate(const SourcePieces& pieces, uint64_t frames, uint8_t* target,
                                  uint64_t targetFrames) const {
  // Resample at the fewer channels: mix down before, spread out after.
  const uint16_t mid = std::min(fromChannels_, toChannels_);
  const bool directIn = fromBits_ == 16 && fromChannels_ == mid;
  const bool directOut = toBits_ == 16 && toChannels_ == mid;

  const soxr_io_spec_t io = soxr_io_spec(SOXR_INT16_I, SOXR_INT16_I);
  soxr_io_spec_t ioNoDither = io;
  ioNoDither.flags |= SOXR_NO_DITHER;
  const soxr_quality_spec_t quality = soxr_quality_spec(SOXR_HQ, 0);
  const soxr_runtime_spec_t runtime = soxr_runtime_spec(1);
  soxr_error_t error = nullptr;
  soxr_t soxr = soxr_create(double(fromRate_), double(toRate_), mid, &error, &ioNoDither, &quality, &runtime);
  if (!soxr || error) return false;

  std::vector<int16_t> inBuffer(directIn ? 0 : kChunkFrames * mid);
  std::vector<int16_t> outBuffer(directOut ? 0 : kChunkFrames * mid);
  uint64_t inDone = 0, outDone = 0;
  // Input supplied but not yet taken by the resampler.
  const int16_t* staged = nullptr;
  uint64_t stagedCount = 0;
  bool ok = true;
  int stalls = 0;
  while (outDone < targetFrames) {
    if (stagedCount == 0 && inDone < frames) {
      uint64_t n = 0;
      const uint8_t* piece = pieces(std::min(kChunkFrames, frames - inDone), n);
      if (n == 0) {
        inDone = frames;  // the supplier ended early: the rest is the resampler's tail
      } else if (directIn) {
        staged = reinterpret_cast<const int16_t*>(piece);
        stagedCount = n;
      } else {
        ToInt16(piece, n, fromChannels_, fromBits_, mid, inBuffer.data());
        staged = inBuffer.data();
        stagedCount = n;
      }
    }
    const int16_t* in = stagedCount ? staged : nullptr;
    int16_t* out = directOut ? reinterpret_cast<int16_t*>(target + outDone * toAlign_) : outBuffer.data();
    const size_t olen = size_t(std::min(targetFrames - outDone, kChunkFrames));
    size_t idone = 0, odone = 0;
    error = soxr_process(soxr, in, size_t(stagedCount), &idone, out, olen, &odone);
    if (error) {
      ok = false;
      break;
    }
    staged += idone * mid;
    stagedCount -= idone;
    inDone += idone;
    if (!directOut) FromInt16(outBuffer.data(), odone, mid, toChannels_, toBits_, target + outDone * toAlign_);
    outDone += odone;
    if (!in && odone == 0) break;  // input ended and the resampler has nothing more
    if (idone == 0 && odone == 0 && ++stalls > 2) break;
  }
  soxr_delete(soxr);
  if (!ok) return false;
  // The resampler may end a frame or so short of the exact length: pad with the centre line.
  if (outDone < targetFrames) {
    const std::vector<int16_t> zeros(size_t(targetFrames - outDone) * mid, 0);
    FromInt16(zeros.data(), targetFrames - outDone, mid, toChannels_, toBits_, target + outDone * toAlign_);
  }
  return true;
}

}  // namespace tarkel
