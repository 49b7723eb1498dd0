#pragma once
// The four ways a pass walks sample memory: 8 or 16 bits; every sample, or every second one for
// one channel of a stereo sound. Algorithms are written once as templates over the layout and
// see the visited samples as an array (Walk); SampleRegion names a stretch of memory and its
// layout at run time and WithWalk calls the template instantiated for it.
#include <bit>
#include <cstdint>
#include <utility>

#include "sound/ChannelMode.h"

namespace tarkel {

class WaveAudio;

static_assert(std::endian::native == std::endian::little, "16-bit samples are read in place");

// The layouts, in the order of an effect entry's kernels.
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

// `bytes` bytes of sample memory from the first byte of a frame, walked in `layout`; for the
// right channel the walk starts one sample further (firstOffset).
struct SampleRegion {
  uint8_t* frameStart = nullptr;
  uint32_t bytes = 0;
  SampleLayout layout = SampleLayout::Stream8;

  uint32_t firstOffset = 0;  // of the first visited sample from frameStart

  // The first visited sample.
  uint8_t* FirstSample() const { return frameStart + firstOffset; }
};

// Bytes of one sample of `wave`: 2 for 16-bit data, 1 otherwise.
uint32_t SampleWidth(const WaveAudio& wave);
// Byte offset of the chosen channel's sample inside a frame: one sample for the right channel.
uint32_t ChannelOffset(const WaveAudio& wave, ChannelMode mode);

// The layout of `wave`'s samples in `mode`: one channel of a stereo sound walks every second
// sample, everything else every sample.
SampleLayout LayoutOf(const WaveAudio& wave, ChannelMode mode);
// The region of `bytes` bytes of `wave`'s memory at `frameStart` in `mode`.
SampleRegion RegionOf(const WaveAudio& wave, uint8_t* frameStart, uint32_t bytes, ChannelMode mode);
// `bytes` bytes of mono data of the given width (a clipboard block).
SampleRegion MonoRegion(uint8_t* data, uint32_t bytes, bool sixteen);

// Calls f(Walk<L>) with the walk over the region, L being its layout.
template <class F>
decltype(auto) WithWalk(const SampleRegion& r, F&& f) {
  auto walk = [&]<class L>(L) {
    return f(Walk<L>{reinterpret_cast<typename L::Sample*>(r.FirstSample()), WalkCount<L>(r.bytes)});
  };
  switch (r.layout) {
    case SampleLayout::Stream8: return walk(Stream8{});
    case SampleLayout::Stream16: return walk(Stream16{});
    case SampleLayout::Channel8: return walk(Channel8{});
    case SampleLayout::Channel16: break;
  }
  return walk(Channel16{});
}

}  // namespace tarkel
