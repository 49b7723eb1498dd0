// DTMF tone dialing (id 25): the range is cut into one slot per character of the dial string;
// each slot gets the character's low tone, its high tone is written into a scratch block, and
// the slot becomes the mean of the two.
#include <cstring>
#include <memory>
#include <optional>
#include <string_view>

#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "sound/TextFields.h"
#include "effects/DriverSupport.h"
#include "effects/Dtmf.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"
#include "effects/SynthesisDrivers.h"

namespace tarkel {
namespace {

// The dial string the dialog hands over lives in a buffer of this size.
constexpr size_t kDialStringBuffer = 256;
// The scratch block has room for this many frames beyond one slot.
constexpr uint64_t kScratchSpareFrames = 50;

std::string_view DialString(const EffectParams& p) {
  if (!p.digits) return {};
  const size_t limit = p.param2 > 0 ? size_t(p.param2) : kDialStringBuffer;
  return std::string_view(p.digits, strnlen(p.digits, limit));
}

// How the samples of one slot lie: `samplesPerFrame` written per frame, frames `stride` samples
// apart, the first at `offset` samples from the frame.
struct SlotLayout {
  uint32_t samplesPerFrame = 1;
  uint32_t stride = 1;
  uint32_t offset = 0;
};

SlotLayout LayoutOf(const DocWaveAudio& wave, ChannelMode mode) {
  if (wave.Channels() != 2) return {1, 1, 0};
  if (mode == ChannelMode::Left) return {1, 2, 0};
  if (mode == ChannelMode::Right) return {1, 2, 1};
  return {2, 2, 0};
}

// slot = (slot + scratch) / 2 per sample, the division truncating towards zero, one progress
// tick per sample. False when cancelled.
bool AverageInto(DocWaveAudio& wave, uint8_t* slot, const uint8_t* scratch, uint64_t frames, const SlotLayout& l) {
  const uint64_t samples = frames * l.samplesPerFrame;
  return wave.ForEachProgressChunk(samples, [&](uint64_t from, uint64_t n) {
    for (uint64_t s = from; s < from + n; ++s) {
      const uint64_t frame = s / l.samplesPerFrame;
      const uint64_t channel = s % l.samplesPerFrame;
      uint8_t* at = slot + 2 * (frame * l.stride + channel);
      int16_t a, b;
      std::memcpy(&a, at, 2);
      std::memcpy(&b, scratch + 2 * s, 2);
      const int16_t mean = int16_t((int32_t(a) + int32_t(b)) / 2);
      std::memcpy(at, &mean, 2);
    }
  });
}

}  // namespace

uint32_t SynthesizeDtmf(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params) {
  const std::string_view digits = DialString(params);
  if (digits.empty()) {
    ShowMessage(msg::kNothingSelected);
    return 0;
  }
  if (!CheckEffectRange(wave, first, last)) return 0;
  const uint32_t frames = last - first + 1;
  const bool preview = params.preview != 0;
  ProgressScope progress(wave);
  if (!progress.Open(frames, mode, effect::kDtmfCaption)) return 0;
  uint8_t* base = WorkingMemory(wave, first, last, preview);
  if (!base) return 0;
  auto fail = [&] {
    if (preview) DiscardPreview(wave);
    return 0u;
  };
  // The tones are 16-bit values; the command is offered for 16-bit sounds only, and other
  // sounds are left as they are (as the engine leaves them for its 16-bit algorithms).
  if (wave.BitsPerSample() != 16) return frames;

  const uint64_t slotFrames = (last - first) / digits.size();
  const uint32_t align = wave.BlockAlign();
  const uint64_t scratchBytes = (slotFrames + kScratchSpareFrames) * align;
  ScratchBlock scratch = NewScratch(scratchBytes);
  if (!scratch) return fail();
  if (slotFrames == 0) {
    ShowMessage(msg::kNothingSelected);
    return fail();
  }

  const SlotLayout layout = LayoutOf(wave, mode);
  const double amplitude = double(kDtmfLevelFactor) * params.param1 / 100.0;
  std::optional<DtmfPair> tones;
  for (size_t i = 0; i < digits.size(); ++i) {
    // A character off the keypad repeats the tones before it; at the start it is a pause.
    if (const auto own = DtmfTonesOf(digits[i])) tones = own;
    const double level = tones ? amplitude : 0.0;
    const uint32_t low = tones ? tones->lowHertz : 0;
    const uint32_t high = tones ? tones->highHertz : 0;
    uint8_t* slot = base + (i * slotFrames) * align + 2 * layout.offset;
    WriteDtmfTone(slot, slotFrames, layout.samplesPerFrame, layout.stride, low, wave.Rate(), level);
    WriteDtmfTone(scratch.get(), slotFrames, layout.samplesPerFrame, layout.samplesPerFrame, high, wave.Rate(), level);
    if (!AverageInto(wave, slot, scratch.get(), slotFrames, layout)) return fail();
  }
  return frames;
}

namespace {

// dtmf:LEVEL,DIGITS: the level is a number, the digits a string that travels beside the record.
const char* ParseDtmfValues(const std::vector<std::string>& values, EffectParams& params, std::string& digits) {
  int32_t level = 0;
  if (values.size() != 2 || !ParseNumber(values[0], level) || values[1].empty()) return "dtmf takes LEVEL,DIGITS";
  params.param1 = level;
  digits = values[1];
  params.param2 = int32_t(digits.size());
  return nullptr;
}

}  // namespace

EffectEntry DtmfEntry() {
  EffectEntry e{effect::kDtmf, "dtmf", &SynthesizeDtmf, 0, {}};
  e.rules.parseValues = &ParseDtmfValues;
  return e;
}

}  // namespace tarkel
