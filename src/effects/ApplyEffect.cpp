// The general range driver: checks the range, opens the progress window, makes the preview copy
// and runs the effect's engine passes, which the effect's table entry describes.
#include "sound/DocWaveAudio.h"
#include "effects/DriverSupport.h"
#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"
#include "effects/RunEffect.h"

namespace tarkel {

uint32_t ApplyEffect(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& p) {
  if (!CheckEffectRange(wave, first, last, mode)) return 0;
  const uint32_t frames = last - first + 1;
  const bool preview = p.preview != 0;
  const EffectEntry* entry = FindEffect(p.effectId);
  const EffectPasses passes = entry ? entry->passes : EffectPasses{};
  const PassPlan plan = passes.plan ? passes.plan(wave, p, frames) : PassPlan{frames, 0};

  ProgressScope progress(wave);
  if (!progress.Open(plan.progressUnits, mode, effect::kApplyingToolCaption)) return 0;

  uint8_t* base = WorkingMemory(wave, first, last, preview);
  if (!base) return 0;

  const bool done = passes.run ? passes.run(wave, mode, base, frames, p, plan)
                               : RunEffect(wave, mode, frames * wave.BlockAlign(), p, base, base) != 0;
  if (!done) {
    if (preview) DiscardPreview(wave);
    return 0;
  }
  return frames;
}

}  // namespace tarkel
