#pragma once
// How an effect kernel sees the samples of one engine call. RunEffect picks one of four layouts
// (8 or 16 bits; every sample, or every second one for one channel of a stereo sound) and calls
// the kernel instantiated for it, so each algorithm is written once as a template over the layout
// and the walking itself lives here.
#include <bit>
#include <cstdint>

#include "sound/ChannelMode.h"
#include "sound/DocWaveAudio.h"
#include "effects/EffectParams.h"

namespace tarkel {

static_assert(std::endian::native == std::endian::little, "16-bit samples are read in place");

// The layouts, in the order of EffectEntry::kernels.
enum class SampleLayout : uint8_t {
  Stream8 = 0,   // 8-bit mono, or both channels of 8-bit stereo as one stream
  Stream16 = 1,  // 16-bit mono, or both channels of 16-bit stereo as one stream
  Channel8 = 2,  // one channel of 8-bit stereo: every second byte
  Channel16 = 3, // one channel of 16-bit stereo: every second 16-bit word
};
inline constexpr int kLayoutCount = 4;

template <class T, unsigned Stride, SampleLayout Id>
struct Layout {
  using Sample = T;  // uint8_t (unsigned around 128) or int16_t
  static constexpr unsigned kStride = Stride;           // samples from one visited sample to the next
  static constexpr unsigned kSampleBytes = sizeof(T);
  static constexpr unsigned kStepBytes = Stride * sizeof(T);
  static constexpr bool kSixteen = sizeof(T) == 2;
  static constexpr SampleLayout kId = Id;
};
using Stream8 = Layout<uint8_t, 1, SampleLayout::Stream8>;
using Stream16 = Layout<int16_t, 1, SampleLayout::Stream16>;
using Channel8 = Layout<uint8_t, 2, SampleLayout::Channel8>;
using Channel16 = Layout<int16_t, 2, SampleLayout::Channel16>;

// Everything one engine call gets. `target` and `source` already point at the chosen channel's
// sample (RunEffect adds the right channel's offset).
struct EffectRun {
  DocWaveAudio& wave;
  ChannelMode mode;
  uint32_t byteCount;
  EffectParams& params;
  const uint8_t* source;
  uint8_t* target;
};

// Number of samples a walk over `bytes` visits: every sample whose bytes lie inside.
template <class L>
inline uint64_t WalkCount(uint32_t bytes) {
  return bytes < L::kSampleBytes ? 0 : (uint64_t(bytes) - L::kSampleBytes) / L::kStepBytes + 1;
}

// The visited samples as an array: w[i] is the i-th sample of the walk in memory order.
template <class L>
struct Walk {
  typename L::Sample* base = nullptr;
  uint64_t count = 0;
  typename L::Sample& operator[](uint64_t i) const { return base[i * L::kStride]; }
};

// The walk that starts at `target` and runs forwards over the call's bytes.
template <class L>
inline Walk<L> ForwardWalk(const EffectRun& run) {
  return {reinterpret_cast<typename L::Sample*>(run.target), WalkCount<L>(run.byteCount)};
}

// The delay family walks backwards: `target` is the last sample and `source` trails it by the
// delay. These give both walks from their lowest sample, so that w[i] and s[i] are a pair.
template <class L>
inline Walk<L> BackwardWalk(const EffectRun& run) {
  const uint64_t n = WalkCount<L>(run.byteCount);
  uint8_t* low = n ? run.target - (n - 1) * L::kStepBytes : run.target;
  return {reinterpret_cast<typename L::Sample*>(low), n};
}
template <class L>
inline Walk<L> BackwardSourceWalk(const EffectRun& run) {
  const uint64_t n = WalkCount<L>(run.byteCount);
  const uint8_t* low = n ? run.source - (n - 1) * L::kStepBytes : run.source;
  return {reinterpret_cast<typename L::Sample*>(const_cast<uint8_t*>(low)), n};
}

// 16-bit limiting and the conversions of the 8-bit centre line.
inline int32_t Clamp16(int64_t v) { return v < -32768 ? -32768 : v > 32767 ? 32767 : int32_t(v); }
inline uint8_t Clamp8(int64_t v) { return v < 0 ? 0 : v > 255 ? 255 : uint8_t(v); }

}  // namespace tarkel
