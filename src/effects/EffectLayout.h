#pragma once
// How an effect kernel sees the samples of one engine call. RunEffect picks one of the four
// sample layouts and calls the kernel instantiated for it, so each algorithm is written once as a
// template over the layout; the walks over the call's bytes are given here.
#include <cstdint>

#include "sound/ChannelMode.h"
#include "sound/DocWaveAudio.h"
#include "effects/EffectParams.h"
#include "samples/SampleLayout.h"
#include "samples/SampleMath.h"

namespace tarkel {

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

}  // namespace tarkel
