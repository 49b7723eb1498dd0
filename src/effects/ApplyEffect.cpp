// The general range driver: works out delays in bytes, splits compound effects into engine
// passes, makes the preview copy and checks that the selection is long enough.
#include <algorithm>

#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "effects/DriverSupport.h"
#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/RunEffect.h"

namespace tarkel {
namespace {

using namespace effect;

bool IsDelayFamily(uint32_t id) {
  return id == kHall || id == kEcho || id == kRobotize || id == kVibverb || id == kMetal || id == kTube;
}

// The delay of the delay family in bytes, before doubling for 16-bit data, in the integer order
// the dialogs' values were designed for. Robotize also raises its pass count by 5. A negative
// result (negative dialog values) is taken as no delay.
int64_t DelayBytes(const DocWaveAudio& wave, EffectParams& p) {
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
        p.param1 += 5;
      }
      break;
    case kMetal:
    case kTube: delay = ((channels * rate / 1000) * p.param2) / (p.param3 == 0 ? 1 : p.param3); break;
    default: break;
  }
  return std::max<int64_t>(delay, 0);
}

// One engine call of the delay family over the range at `base`: target at the last frame, source
// `delay` bytes before it.
bool RunDelayFamily(DocWaveAudio& wave, ChannelMode mode, uint8_t* base, uint32_t frames, int64_t delay,
                    EffectParams& p) {
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

// Digital delay: each channel delayed by its own number of frames, written backwards.
bool RunDigitalDelay(DocWaveAudio& wave, ChannelMode mode, uint8_t* base, uint32_t frames, EffectParams& p) {
  const int64_t m = std::max<int64_t>(int64_t(wave.Rate()) * p.param1 / 1000, 0);
  const uint32_t align = wave.BlockAlign();
  uint8_t* target = base + uint64_t(frames - 1) * align;
  auto delayChannel = [&](ChannelMode channel, int64_t by) {
    const uint32_t bytes = uint32_t((frames - by) * align);
    return RunEffect(wave, channel, bytes, p, target - by * align, target) != 0;
  };
  const int64_t longest = mode == ChannelMode::Both ? 2 * m : m;
  if (longest >= int64_t(frames)) {
    ShowMessage(msg::kSelectionTooSmall);
    return false;
  }
  if (mode == ChannelMode::Both) return delayChannel(ChannelMode::Left, 2 * m) && delayChannel(ChannelMode::Right, m);
  return delayChannel(mode, m);
}

}  // namespace

uint32_t ApplyEffect(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& p) {
  if (!CheckEffectRange(wave, first, last, mode)) return 0;
  const uint32_t frames = last - first + 1;
  const bool preview = p.preview != 0;
  const int64_t delay = DelayBytes(wave, p);

  uint64_t units = frames;
  if (IsDelayFamily(p.effectId) && p.param1 > 1) units = uint64_t(p.param1) * frames;
  ProgressScope progress(wave);
  if (!progress.Open(units, mode, kApplyingToolCaption)) return 0;

  uint8_t* base = WorkingMemory(wave, first, last, preview);
  if (!base) return 0;

  bool done = false;
  const uint32_t bytes = frames * wave.BlockAlign();
  switch (p.effectId) {
    case kHall:
    case kEcho:
    case kRobotize:
    case kVibverb:
    case kMetal:
    case kTube: done = RunDelayFamily(wave, mode, base, frames, delay, p); break;
    case kBandPass:
      p.effectId = kHighPass;
      done = RunEffect(wave, mode, bytes, p, base, base) != 0;
      if (done) {
        p.effectId = kLowPass;
        done = RunEffect(wave, mode, bytes, p, base, base) != 0;
      }
      break;
    case kVibrato: {
      const int64_t period = int64_t(wave.BlockAlign()) * (int64_t(wave.Rate()) * p.param2 / 1000);
      p.param2 = int32_t(std::clamp<int64_t>(period, INT32_MIN, INT32_MAX));
      done = RunEffect(wave, mode, bytes, p, base, base) != 0;
      break;
    }
    case kDigitalDelay: done = RunDigitalDelay(wave, mode, base, frames, p); break;
    default: done = RunEffect(wave, mode, bytes, p, base, base) != 0; break;
  }
  if (!done) {
    if (preview) DiscardPreview(wave);
    return 0;
  }
  return frames;
}

}  // namespace tarkel
