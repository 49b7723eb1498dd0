#include "effects/DriverSupport.h"

#include <cstring>

#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"

namespace tarkel {

bool CheckEffectRange(DocWaveAudio& wave, uint32_t first, uint32_t& last) {
  const uint32_t frames = wave.HasData() ? wave.BytesToFrames(wave.DataSize()) : 0;
  const uint16_t bits = wave.BitsPerSample();
  const bool usable = wave.FormatTag() == kFormatTagPcm && (bits == 8 || bits == 16) &&
                      wave.BlockAlign() == wave.Channels() * (bits / 8) && wave.Channels() >= 1 &&
                      wave.Channels() <= 2;
  if (frames > 0 && last >= frames) last = frames - 1;
  if (!usable || frames == 0 || first >= last) {
    ShowMessage(msg::kNothingSelected);
    return false;
  }
  return true;
}

bool CheckEffectRange(DocWaveAudio& wave, uint32_t first, uint32_t& last, ChannelMode& mode) {
  if (!CheckEffectRange(wave, first, last)) return false;
  if (wave.Channels() < 2) mode = ChannelMode::Mono;
  else if (mode == ChannelMode::Mono) mode = ChannelMode::Both;
  return true;
}

uint8_t* MakePreviewCopy(DocWaveAudio& wave, uint32_t first, uint32_t last) {
  const uint32_t bytes = wave.FramesToBytes(last - first + 1);
  WaveImage& image = wave.PreviewImage();
  if (!image.Allocate(bytes)) {
    ShowMessage(msg::kTempMemory);
    return nullptr;
  }
  std::memcpy(image.Data(), wave.Data() + size_t(first) * wave.BlockAlign(), bytes);
  wave.RefreshPcmCopy();
  image.WriteHeader(wave.PcmCopy());
  return image.Data();
}

void DiscardPreview(DocWaveAudio& wave) { wave.PreviewImage().Free(); }

uint8_t* WorkingMemory(DocWaveAudio& wave, uint32_t first, uint32_t last, bool preview) {
  if (preview) return MakePreviewCopy(wave, first, last);
  return wave.Data() + size_t(first) * wave.BlockAlign();
}

}  // namespace tarkel
