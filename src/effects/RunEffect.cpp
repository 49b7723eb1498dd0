#include "effects/RunEffect.h"

#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"

namespace tarkel {
namespace {

// What a branch shows for an id it does not implement. Band pass has its own text because the
// driver always splits it into high pass and low pass before the engine is reached.
const char* NotImplementedText(EffectBranch branch, uint32_t id) {
  const bool bandPass = id == effect::kBandPass;
  switch (branch) {
    case kBranchChannel8: return bandPass ? "Not implemented yet (3)" : "Not implemented yet (4)";
    case kBranchChannel16: return bandPass ? "Not implemented yet (5)" : "Not implemented yet (6)";
    default: return bandPass ? "Not implemented yet (1)" : "Not implemented yet (3a)";
  }
}

}  // namespace

int RunEffect(DocWaveAudio& wave, ChannelMode mode, uint32_t byteCount, EffectParams& params,
              const uint8_t* source, uint8_t* target) {
  if (byteCount == 0) {
    ShowMessage(msg::kNothingSelected);
    return 0;
  }
  const bool sixteen = wave.BitsPerSample() == 16;
  const bool oneChannel = IsSingleChannel(mode);
  const EffectBranch branch = !oneChannel ? kBranchStream : sixteen ? kBranchChannel16 : kBranchChannel8;

  const EffectEntry* entry = FindEffect(params.effectId);
  // The text says the step could not be done: nothing changed, and the caller learns it failed.
  if (!entry || !(entry->branches & branch)) {
    ShowText(NotImplementedText(branch, params.effectId));
    return 0;
  }
  const EffectKernel kernel = entry->kernels[int(LayoutOf(wave, mode))];
  if (!kernel) return 1;

  target += ChannelOffset(wave, mode);
  source += ChannelOffset(wave, mode);
  EffectRun run{wave, mode, byteCount, params, source, target};
  return kernel(run) ? 1 : 0;
}

}  // namespace tarkel
