// Drivers of the effects that take no dialog values: reverse, PC <> Amiga, normalize, and the
// invert that the document runs directly.
#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "effects/DriverSupport.h"
#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/RunEffect.h"

namespace tarkel {
namespace {

// One engine call of `id` over the range, with the progress window over `units` frames.
uint32_t RunOverRange(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, bool preview,
                      uint32_t id, uint64_t units, const char* caption) {
  const uint32_t frames = last - first + 1;
  ProgressScope progress(wave);
  if (!progress.Open(units, mode, caption)) return 0;
  uint8_t* base = WorkingMemory(wave, first, last, preview);
  if (!base) return 0;
  EffectParams params(id);
  if (RunEffect(wave, mode, wave.FramesToBytes(frames), params, base, base) == 0) {
    if (preview) DiscardPreview(wave);
    return 0;
  }
  return frames;
}

}  // namespace

uint32_t ReverseRange(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params) {
  if (!CheckEffectRange(wave, first, last, mode)) return 0;
  return RunOverRange(wave, first, last, mode, params.preview != 0, effect::kReverse, (last - first + 1) / 2,
                      effect::kReverseCaption);
}

uint32_t ConvertSignedness(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params) {
  if (!CheckEffectRange(wave, first, last, mode)) return 0;
  if (wave.BitsPerSample() != 8) {
    ShowMessage(msg::kOnly8BitIff);
    return 0;
  }
  return RunOverRange(wave, first, last, mode, params.preview != 0, effect::kAmiga, last - first + 1,
                      effect::kAmigaCaption);
}

uint32_t NormalizeRange(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params) {
  if (!CheckEffectRange(wave, first, last, mode)) return 0;
  // Two walks: the peak, then the gain.
  return RunOverRange(wave, first, last, mode, params.preview != 0, effect::kNormalize,
                      2 * uint64_t(last - first + 1), effect::kNormalizeCaption);
}

uint32_t InvertRange(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode) {
  if (!CheckEffectRange(wave, first, last, mode)) return 0;
  const uint32_t frames = last - first + 1;
  const unsigned channels = wave.Channels();
  const bool one = IsSingleChannel(mode) && channels == 2;
  const uint64_t count = one ? frames : uint64_t(frames) * channels;
  const unsigned stride = one ? 2 : 1;
  uint8_t* base = wave.Data() + size_t(first) * wave.BlockAlign();
  if (wave.BitsPerSample() == 16) {
    int16_t* s = reinterpret_cast<int16_t*>(base) + (mode == ChannelMode::Right && one ? 1 : 0);
    for (uint64_t i = 0; i < count; ++i) s[i * stride] = int16_t(uint16_t(0u - uint16_t(s[i * stride])));
  } else {
    uint8_t* b = base + (mode == ChannelMode::Right && one ? 1 : 0);
    for (uint64_t i = 0; i < count; ++i) b[i * stride] = uint8_t(256u - b[i * stride]);
  }
  return frames;
}

}  // namespace tarkel
