// Hall (0), echo (1), robotize (2) and metal (23), with vibverb (21) and tube (24), which the
// driver runs as echo: feed-forward echoes computed in place, walking backwards so that every
// earlier sample is still unchanged when it is read. Each pass mixes every target with the
// sample `delay` bytes before it.
#include <algorithm>
#include <cstdint>

#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"
#include "effects/RunEffect.h"
#include "samples/SampleMath.h"

namespace tarkel {
namespace {

// Echo rule: 8-bit (3t + 3s) / 6; 16-bit (t + s) * 100 / G, G = min(passes + 170, 194).
struct EchoRule {
  int32_t g;
  explicit EchoRule(const EffectParams& p) : g(int32_t(std::min<int64_t>(int64_t(p.param1) + 170, 194))) {}
  uint8_t operator()(uint8_t t, uint8_t s) const { return uint8_t((3 * t + 3 * s) / 6); }
  int16_t operator()(int16_t t, int16_t s) const { return int16_t(Clamp16((int32_t(t) + s) * 100 / g)); }
};

// Half-sum rule: 8-bit p3 (t + s) / 2 p3; 16-bit (t + s) * p3 * 30 / (p4 * 30).
struct HalfSumRule {
  int64_t p3, p4;
  explicit HalfSumRule(const EffectParams& p) : p3(p.param3 == 0 ? 1 : p.param3), p4(p.param4 == 0 ? 1 : p.param4) {}
  uint8_t operator()(uint8_t t, uint8_t s) const { return Clamp8(p3 * (t + s) / (2 * p3)); }
  int16_t operator()(int16_t t, int16_t s) const {
    return int16_t(Clamp16((int64_t(t) + s) * p3 * 30 / (p4 * 30)));
  }
};

template <class Rule>
struct DelayKernel {
  template <class L>
  static bool Run(EffectRun& run) {
    const Walk<L> t = BackwardWalk<L>(run);
    const Walk<L> s = BackwardSourceWalk<L>(run);
    const Rule rule(run.params);
    const int32_t passes = run.params.param1;
    for (int32_t pass = 1; pass <= passes; ++pass) {
      // Chunks are taken from the end of the range towards its start.
      const bool done = run.wave.ForEachProgressChunk(t.count, [&](uint64_t off, uint64_t n) {
        const uint64_t hi = t.count - off;
        for (uint64_t i = hi; i-- > hi - n;) t[i] = rule(t[i], s[i]);
      });
      if (!done) return false;
    }
    return true;
  }
};

using namespace effect;

// The delay in bytes, before doubling for 16-bit data, in the integer order the dialogs' values
// were designed for. Robotize also raises its pass count by 5. A negative result (negative dialog
// values) is taken as no delay. Progress counts every pass.
PassPlan DelayPlan(const DocWaveAudio& wave, EffectParams& p, uint32_t frames) {
  const int64_t channels = wave.Channels();
  const int64_t rate = wave.Rate();
  int64_t delay = 0;
  switch (p.effectId) {
    case kHall: delay = channels * rate / (p.param2 == 0 ? 1 : p.param2); break;
    case kEcho:
    case kVibverb: delay = (channels * rate / 1000) * p.param2; break;
    case kRobotize:
      if (p.param1 > 0) {
        delay = int64_t(p.param3) + 100 * int64_t(p.param2);
        p.param1 = int32_t(std::min<int64_t>(int64_t(p.param1) + 5, INT32_MAX));
      }
      break;
    case kMetal:
    case kTube: delay = ((channels * rate / 1000) * p.param2) / (p.param3 == 0 ? 1 : p.param3); break;
    default: break;
  }
  const uint64_t units = p.param1 > 1 ? uint64_t(p.param1) * frames : frames;
  return {units, std::max<int64_t>(delay, 0)};
}

// One engine call over the range at `base`: target at the last frame, source `delay` bytes
// before it. Vibverb and tube run as echo; metal with its fixed mixing values.
bool RunDelayPasses(DocWaveAudio& wave, ChannelMode mode, uint8_t* base, uint32_t frames, EffectParams& p,
                    const PassPlan& plan) {
  int64_t delay = plan.delayBytes;
  if (wave.BitsPerSample() == 16) delay *= 2;
  const uint64_t span = uint64_t(frames - 1) * wave.BlockAlign();  // last frame's offset
  if (int64_t(span) <= delay) {
    ShowMessage(msg::kSelectionTooSmall);
    return false;
  }
  if (p.effectId == kVibverb || p.effectId == kTube) p.effectId = kEcho;
  if (p.effectId == kMetal) {
    p.param3 = 3;
    p.param4 = 6;
  }
  uint8_t* target = base + span;
  return RunEffect(wave, mode, uint32_t(span - delay), p, target - delay, target) != 0;
}

constexpr uint8_t kAllBranches = kBranchStream | kBranchChannel8 | kBranchChannel16;

EffectEntry DelayFamilyEntry(uint32_t id, const char* name, uint8_t branches) {
  EffectEntry e{id, name, &ApplyEffect, branches, {}};
  e.passes = {&DelayPlan, &RunDelayPasses};
  return e;
}

template <class Rule>
EffectEntry DelayEntry(uint32_t id, const char* name) {
  EffectEntry e = DelayFamilyEntry(id, name, kAllBranches);
  SetAllKernels<DelayKernel<Rule>>(e);
  return e;
}

}  // namespace

EffectEntry HallEntry() { return DelayEntry<EchoRule>(effect::kHall, "hall"); }
EffectEntry EchoEntry() { return DelayEntry<EchoRule>(effect::kEcho, "echo"); }
EffectEntry RobotizeEntry() { return DelayEntry<EchoRule>(effect::kRobotize, "robotize"); }
EffectEntry MetalEntry() { return DelayEntry<HalfSumRule>(effect::kMetal, "metal"); }
// Run as echo by the driver; the engine itself does not take these numbers.
EffectEntry VibverbEntry() { return DelayFamilyEntry(effect::kVibverb, "vibverb", 0); }
EffectEntry TubeEntry() { return DelayFamilyEntry(effect::kTube, "tube", 0); }

}  // namespace tarkel
