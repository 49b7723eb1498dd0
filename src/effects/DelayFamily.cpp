// Hall (0), echo (1), robotize (2) and metal (23), with vibverb (21) and tube (24), which the
// driver runs as echo: feed-forward echoes computed in place, walking backwards so that every
// earlier sample is still unchanged when it is read. Each pass mixes every target with the
// sample `delay` bytes before it.
#include <algorithm>

#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"
#include "effects/SampleMath.h"

namespace tarkel {
namespace {

// Echo rule: 8-bit (3t + 3s) / 6; 16-bit (t + s) * 100 / G, G = min(passes + 170, 194).
struct EchoRule {
  int32_t g;
  explicit EchoRule(const EffectParams& p) : g(std::min(p.param1 + 170, 194)) {}
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

constexpr uint8_t kAllBranches = kBranchStream | kBranchChannel8 | kBranchChannel16;

template <class Rule>
EffectEntry DelayEntry(uint32_t id, const char* name) {
  EffectEntry e{id, name, &ApplyEffect, kAllBranches, {}};
  SetAllKernels<DelayKernel<Rule>>(e);
  return e;
}

}  // namespace

EffectEntry HallEntry() { return DelayEntry<EchoRule>(effect::kHall, "hall"); }
EffectEntry EchoEntry() { return DelayEntry<EchoRule>(effect::kEcho, "echo"); }
EffectEntry RobotizeEntry() { return DelayEntry<EchoRule>(effect::kRobotize, "robotize"); }
EffectEntry MetalEntry() { return DelayEntry<HalfSumRule>(effect::kMetal, "metal"); }
// Run as echo by the driver; the engine itself does not take these numbers.
EffectEntry VibverbEntry() { return {effect::kVibverb, "vibverb", &ApplyEffect, 0, {}}; }
EffectEntry TubeEntry() { return {effect::kTube, "tube", &ApplyEffect, 0, {}}; }

}  // namespace tarkel
