#pragma once
// The table of effects: one entry per effect number, with its command-line name, its range
// driver, the layout branches of RunEffect that implement it, and its kernels.
//
// Adding an effect: write its file with an entry function (EffectEntry XxxEntry()) that also sets
// the effect's special cases (EffectRules, EffectPasses), list it in EffectList.h, add the file to
// CMakeLists.txt. Nothing else changes.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sound/ChannelMode.h"
#include "effects/EffectLayout.h"
#include "effects/EffectParams.h"

namespace tarkel {

class DocWaveAudio;

// A kernel: the algorithm instantiated for one layout. False when the user cancelled or the
// record asks for what the layout cannot do (its text shown).
using EffectKernel = bool (*)(EffectRun& run);

// A range driver: (wave, first frame, last frame inclusive, channel, record) -> frames
// processed (or the new length), 0 on failure or cancel. Each shows its own message.
using EffectDriver = uint32_t (*)(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode,
                                  EffectParams& params);

// RunEffect's layout branches (bit mask).
enum EffectBranch : uint8_t {
  kBranchStream = 1,     // mono, or both channels of a stereo sound
  kBranchChannel8 = 2,   // one channel of an 8-bit stereo sound
  kBranchChannel16 = 4,  // one channel of a 16-bit stereo sound
};

// Frames first..last, inclusive.
struct FrameSpan {
  uint32_t first = 0;
  uint32_t last = 0;
};

// The special cases of an effect, each set by the effect's own file; null means the plain rule.
struct EffectRules {
  // The frames the effect may change when run on first..last (the undo record covers them).
  // Plain: first..last.
  FrameSpan (*changedFrames)(const DocWaveAudio& wave, const EffectParams& params, uint32_t first,
                             uint32_t last) = nullptr;
  // Set for an effect that removes frames from the sound: it takes no undo record, and the
  // region manager is told the removed frames, worked out from the frames the driver returned.
  FrameSpan (*removedFrames)(uint32_t first, uint32_t processed) = nullptr;
  // Reads the command line's values of an effect whose values are not whole numbers into the
  // record (and `text`, the DTMF digits); null on success, else the form the values must have.
  // Plain: up to six whole numbers, param1 to param6.
  const char* (*parseValues)(const std::vector<std::string>& values, EffectParams& params, std::string& text) =
      nullptr;
};

// What the general range driver (ApplyEffect) works out before its progress window opens.
struct PassPlan {
  uint64_t progressUnits = 0;
  int64_t delayBytes = 0;  // the delay family's delay, before doubling for 16-bit data
};

// How the general range driver runs an effect that is not one forward engine pass over the
// range; set by the effect's own file.
struct EffectPasses {
  // The progress units for `frames` frames and the delay; may adjust the record (robotize raises
  // its pass count). Null: one unit per frame, no delay.
  PassPlan (*plan)(const DocWaveAudio& wave, EffectParams& params, uint32_t frames) = nullptr;
  // The engine passes over `frames` frames at `base`; false when cancelled or refused (with the
  // message shown). Null: one forward pass over the range.
  bool (*run)(DocWaveAudio& wave, ChannelMode mode, uint8_t* base, uint32_t frames, EffectParams& params,
              const PassPlan& plan) = nullptr;
};

struct EffectEntry {
  uint32_t id = 0;
  const char* name = "";        // command-line name
  EffectDriver driver = nullptr;  // the range driver the view and the command line call
  uint8_t branches = 0;         // the branches that implement the id; others show their text
  // One kernel per SampleLayout. A branch that implements the id but has no kernel for the
  // layout (an 8-bit sound given to a 16-bit-only algorithm) leaves the samples unchanged.
  EffectKernel kernels[kLayoutCount] = {};
  const char* alias = nullptr;  // a second command-line name, accepted beside `name`
  EffectRules rules = {};
  EffectPasses passes = {};
};

// Kernels of a family written as `struct K { template <class L> static bool Run(EffectRun&); }`
// for all four layouts.
template <class K>
inline void SetAllKernels(EffectEntry& e) {
  e.kernels[int(SampleLayout::Stream8)] = &K::template Run<Stream8>;
  e.kernels[int(SampleLayout::Stream16)] = &K::template Run<Stream16>;
  e.kernels[int(SampleLayout::Channel8)] = &K::template Run<Channel8>;
  e.kernels[int(SampleLayout::Channel16)] = &K::template Run<Channel16>;
}

// The entry of effect `id`, or null when the number names no effect (9, 11, 12, 30 and up).
const EffectEntry* FindEffect(uint32_t id);
// The entry named `name` on the command line, or null.
const EffectEntry* FindEffectByName(std::string_view name);
std::span<const EffectEntry> AllEffects();

}  // namespace tarkel
