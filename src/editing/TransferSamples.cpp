#include "editing/TransferSamples.h"

#include <cstring>

#include "sound/DocWaveAudio.h"
#include "editing/SampleAccess.h"

namespace tarkel {
namespace {

// Runs `process(first, count)` over `total` units, counting progress unless `quiet`.
template <class Process>
bool Walk(DocWaveAudio& wave, uint64_t total, bool quiet, Process&& process) {
  if (quiet) {
    process(uint64_t(0), total);
    return true;
  }
  return wave.ForEachProgressChunk(total, process);
}

// Word-wise copies: one unit per byte (a 32-bit word counts 4).
bool CopyForward(DocWaveAudio& wave, uint32_t length, const uint8_t* source, uint8_t* target) {
  return Walk(wave, length, false, [&](uint64_t off, uint64_t n) { std::memmove(target + off, source + off, n); });
}

bool CopyBackward(DocWaveAudio& wave, uint32_t length, const uint8_t* sourceEnd, uint8_t* targetEnd, bool quiet) {
  return Walk(wave, length, quiet, [&](uint64_t off, uint64_t n) {
    std::memmove(targetEnd - off - n, sourceEnd - off - n, n);
  });
}

// A walk over `count` samples: sample i of the source at source + i * sourceStride, of the
// target at target + i * targetStride.
struct Strides {
  uint32_t source;
  uint32_t target;
};

template <class Op8, class Op16>
bool PerSample(DocWaveAudio& wave, uint32_t count, bool sixteen, Strides s, bool backward, bool quiet,
               const uint8_t* source, uint8_t* target, Op8&& op8, Op16&& op16) {
  return Walk(wave, count, quiet, [&](uint64_t first, uint64_t n) {
    for (uint64_t k = first; k < first + n; ++k) {
      // Backward walks start with the sample just before the end pointers.
      const int64_t i = backward ? -int64_t(k) - 1 : int64_t(k);
      const uint8_t* src = source ? source + i * int64_t(s.source) : nullptr;
      uint8_t* dst = target + i * int64_t(s.target);
      if (sixteen)
        op16(src, dst);
      else
        op8(src, dst);
    }
  });
}

bool BothChannels(DocWaveAudio& wave, uint32_t length, TransferKind kind, const uint8_t* source, uint8_t* target) {
  const bool sixteen = wave.BitsPerSample() == 16;
  const uint32_t width = SampleWidth(wave);
  const uint32_t samples = length / width;
  const uint8_t silence = wave.SilenceValue();
  switch (kind) {
    case TransferKind::CopyForward:
    case TransferKind::Insert:
    case TransferKind::ChannelCopy:
    case TransferKind::CopyForwardMove:
      return CopyForward(wave, length, source, target);
    case TransferKind::CopyBackward:
    case TransferKind::CopyBackwardMove:
      return CopyBackward(wave, length, source, target, false);
    case TransferKind::CopyBackwardQuiet:
      return CopyBackward(wave, length, source, target, true);
    case TransferKind::Silence:
      return Walk(wave, samples, false, [&](uint64_t first, uint64_t n) {
        std::memset(target + first * width, silence, n * width);
      });
    case TransferKind::Mean:
      return PerSample(
          wave, samples, sixteen, {width, width}, false, false, source, target,
          [](const uint8_t* a, uint8_t* b) { *b = Mean8(*a, *b); },
          [](const uint8_t* a, uint8_t* b) { Store16(b, Mean16(Load16(a), Load16(b))); });
    case TransferKind::MeanOfChannels: {
      if (wave.Channels() < 2) return true;
      const uint32_t frames = length / (2 * width);
      return PerSample(
          wave, frames, sixteen, {2 * width, 2 * width}, false, false, source, target,
          [](const uint8_t* a, uint8_t* b) {
            const uint8_t m = Mean8(*a, *b);
            *const_cast<uint8_t*>(a) = m;
            *b = m;
          },
          [](const uint8_t* a, uint8_t* b) {
            const int16_t m = Mean16(Load16(a), Load16(b));
            Store16(const_cast<uint8_t*>(a), m);
            Store16(b, m);
          });
    }
    default:
      return true;  // kind 10 has nothing to do here; unknown kinds do nothing
  }
}

bool OneChannel(DocWaveAudio& wave, uint32_t length, TransferKind kind, const uint8_t* source, uint8_t* target) {
  const bool sixteen = wave.BitsPerSample() == 16;
  const uint32_t width = SampleWidth(wave);
  const uint32_t frame = 2 * width;  // stereo frame
  const uint32_t samples = length / frame;
  const uint8_t silence = wave.SilenceValue();
  auto copy8 = [](const uint8_t* a, uint8_t* b) { *b = *a; };
  auto copy16 = [](const uint8_t* a, uint8_t* b) { std::memcpy(b, a, 2); };
  auto mean8 = [](const uint8_t* a, uint8_t* b) { *b = Mean8(*a, *b); };
  auto mean16 = [](const uint8_t* a, uint8_t* b) { Store16(b, Mean16(Load16(a), Load16(b))); };
  switch (kind) {
    case TransferKind::CopyForward:  // extract: stereo channel -> mono
      return PerSample(wave, samples, sixteen, {frame, width}, false, false, source, target, copy8, copy16);
    case TransferKind::Insert:  // mono -> stereo channel
      return PerSample(wave, samples, sixteen, {width, frame}, false, false, source, target, copy8, copy16);
    case TransferKind::CopyBackward:
    case TransferKind::CopyBackwardQuiet:
    case TransferKind::CopyBackwardMove:
      return PerSample(wave, samples, sixteen, {frame, frame}, true, false, source, target, copy8, copy16);
    case TransferKind::ChannelCopy:
    case TransferKind::CopyForwardMove:
      return PerSample(wave, samples, sixteen, {frame, frame}, false, false, source, target, copy8, copy16);
    case TransferKind::Silence:
      return PerSample(
          wave, samples, sixteen, {0, frame}, false, false, nullptr, target,
          [silence](const uint8_t*, uint8_t* b) { *b = silence; },
          [silence](const uint8_t*, uint8_t* b) { std::memset(b, silence, 2); });
    case TransferKind::Mean:  // mono source into the chosen channel
      return PerSample(wave, samples, sixteen, {width, frame}, false, false, source, target, mean8, mean16);
    case TransferKind::ChannelMean:
      return PerSample(wave, samples, sixteen, {frame, frame}, false, false, source, target, mean8, mean16);
    default:
      return true;
  }
}

}  // namespace

bool TransferSamples(DocWaveAudio& wave, ChannelMode mode, uint32_t lengthBytes, TransferKind kind,
                     const uint8_t* source, uint8_t* target) {
  if (lengthBytes == 0 || !target) return true;
  return IsSingleChannel(mode) ? OneChannel(wave, lengthBytes, kind, source, target)
                               : BothChannels(wave, lengthBytes, kind, source, target);
}


}  // namespace tarkel
