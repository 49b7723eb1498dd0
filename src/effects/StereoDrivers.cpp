// The stereo operations: channel swap, channel match, channel crossfade (10) and Fusion (26).
// They combine level ramps of the engine with TransferSamples. One-channel transfers are given
// the chosen channel's own pointers and ChannelMode::Left, which walks every second sample from
// the pointer it gets.
#include <algorithm>
#include <cstring>
#include <memory>

#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "editing/EditOperations.h"
#include "editing/TransferSamples.h"
#include "effects/DriverSupport.h"
#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"
#include "samples/LevelCompensation.h"
#include "samples/LevelRamp.h"

namespace tarkel {
namespace {

bool IsStereo(const DocWaveAudio& wave) { return wave.Channels() == 2; }

// A fade of one channel (or both) from `from` to `to` percent over `bytes` at `base`.
bool Fade(DocWaveAudio& wave, ChannelMode mode, uint8_t* base, uint32_t bytes, int32_t from, int32_t to) {
  return RampLevel(wave, RegionOf(wave, base, bytes, mode), from, to);
}

// Exchanges the channels of frames first..last at `base` through a scratch block.
bool SwapAt(DocWaveAudio& wave, uint8_t* base, uint32_t frames) {
  const uint32_t bytes = wave.FramesToBytes(frames);
  ScratchBlock left = NewScratch(bytes / 2);
  if (!left) return false;
  uint8_t* right = base + ChannelOffset(wave, ChannelMode::Right);
  return TransferSamples(wave, ChannelMode::Left, bytes, TransferKind::CopyForward, base, left.get()) &&
         TransferSamples(wave, ChannelMode::Left, bytes, TransferKind::CopyForwardMove, right, base) &&
         TransferSamples(wave, ChannelMode::Left, bytes, TransferKind::Insert, left.get(), right);
}

// Runs `body(base)` for a stereo driver: range check, progress window, working memory, and the
// release of a preview block when the body fails.
template <class Body>
uint32_t RunStereoDriver(DocWaveAudio& wave, uint32_t first, uint32_t& last, bool preview, uint64_t units,
                         const char* caption, Body&& body) {
  if (!CheckEffectRange(wave, first, last)) return 0;
  if (!IsStereo(wave)) {
    ShowMessage(msg::kNothingSelected);
    return 0;
  }
  ProgressScope progress(wave);
  if (!progress.Open(units, ChannelMode::Both, caption)) return 0;
  uint8_t* base = WorkingMemory(wave, first, last, preview);
  if (!base || !body(base)) {
    if (preview) DiscardPreview(wave);
    return 0;
  }
  return last - first + 1;
}

}  // namespace

uint32_t SwapChannels(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode, EffectParams& params) {
  return RunStereoDriver(wave, first, last, params.preview != 0, 2 * uint64_t(last - first) + 2,
                         effect::kSwapCaption,
                         [&](uint8_t* base) { return SwapAt(wave, base, last - first + 1); });
}

uint32_t MatchChannels(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode, EffectParams& params) {
  return RunStereoDriver(wave, first, last, params.preview != 0, (uint64_t(last) - first + 1) / 2,
                         effect::kMatchCaption, [&](uint8_t* base) {
                           const uint32_t bytes = wave.FramesToBytes(last - first + 1);
                           const SampleRegion range = RegionOf(wave, base, bytes, ChannelMode::Both);
                           const uint32_t peak = PeakOf(range);
                           return TransferSamples(wave, ChannelMode::Both, bytes, TransferKind::MeanOfChannels, base,
                                                  base + ChannelOffset(wave, ChannelMode::Right)) &&
                                  CompensateLevel(wave, range, peak);
                         });
}

uint32_t CrossoverChannels(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode, EffectParams& p) {
  // Whole segments of whole frames: the range is shortened at its end until its length
  // (last - first frames) divides into p3 segments.
  const uint32_t segments = p.param3 < 1 ? 1 : uint32_t(p.param3);
  if (!CheckEffectRange(wave, first, last)) return 0;
  last -= (last - first) % segments;
  if (last == first) {
    ShowMessage(msg::kNothingSelected);
    return 0;
  }
  const bool preview = p.preview != 0;
  const int32_t p1 = p.param1, p2 = p.param2;
  const uint32_t total = RunStereoDriver(
      wave, first, last, preview, 4 * uint64_t(last - first) + 4, effect::kCrossoverCaption, [&](uint8_t* base) {
        const uint32_t frames = last - first + 1;
        const uint32_t rangeBytes = wave.FramesToBytes(frames);
        const SampleRegion range = RegionOf(wave, base, rangeBytes, ChannelMode::Both);
        const uint32_t peak = PeakOf(range);
        ScratchBlock copy = NewScratch(rangeBytes);
        if (!copy) return false;
        std::memcpy(copy.get(), base, rangeBytes);
        const uint32_t segBytes = wave.FramesToBytes((last - first) / segments);
        const unsigned right = ChannelOffset(wave, ChannelMode::Right);
        for (uint32_t k = 0; k < segments; ++k) {
          const int32_t a = k % 2 == 0 ? p1 : p2, b = k % 2 == 0 ? p2 : p1;
          uint8_t* w = base + uint64_t(k) * segBytes;
          uint8_t* s = copy.get() + uint64_t(k) * segBytes;
          // Working data: left fades A to B, right B to A, left becomes their mean.
          // Scratch copy: left fades B to A, right A to B, right becomes their mean and goes to
          // the working data's right channel.
          if (!Fade(wave, ChannelMode::Left, w, segBytes, a, b) || !Fade(wave, ChannelMode::Right, w, segBytes, b, a) ||
              !TransferSamples(wave, ChannelMode::Left, segBytes, TransferKind::ChannelMean, w + right, w) ||
              !Fade(wave, ChannelMode::Left, s, segBytes, b, a) || !Fade(wave, ChannelMode::Right, s, segBytes, a, b) ||
              !TransferSamples(wave, ChannelMode::Left, segBytes, TransferKind::ChannelMean, s, s + right) ||
              !TransferSamples(wave, ChannelMode::Left, segBytes, TransferKind::CopyForwardMove, s + right, w + right))
            return false;
        }
        return CompensateLevel(wave, range, peak);
      });
  if (total == 0) return 0;
  // A sound crossed over an odd number of times continues with exchanged channels.
  const uint32_t soundFrames = wave.BytesToFrames(wave.DataSize());
  if (!preview && p.param4 == 1 && uint64_t(last) + 2 < soundFrames - 1) {
    const uint32_t after = last + 1;
    if (!SwapAt(wave, wave.Data() + size_t(after) * wave.BlockAlign(), soundFrames - after)) return 0;
  }
  return total;
}

uint32_t CrossfadeHalves(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& p) {
  if (!CheckEffectRange(wave, first, last, mode)) return 0;
  const bool preview = p.preview != 0;
  const uint32_t half = (last - first + 1) / 2;
  ProgressScope progress(wave);
  if (!progress.Open(2 * uint64_t(last - first) + 2, mode, effect::kFusionCaption)) return 0;
  uint8_t* base = WorkingMemory(wave, first, last, preview);
  if (!base) return 0;
  const uint32_t halfBytes = wave.FramesToBytes(half);
  const uint32_t peak = PeakOf(RegionOf(wave, base, wave.FramesToBytes(2 * half), mode));
  uint8_t* second = base + halfBytes;
  const ChannelMode transferMode = IsSingleChannel(mode) ? ChannelMode::Left : mode;
  const unsigned channelOffset = ChannelOffset(wave, mode);
  const bool done = Fade(wave, mode, base, halfBytes, p.param1, p.param2) &&
                    Fade(wave, mode, second, halfBytes, p.param2, p.param1) &&
                    TransferSamples(wave, transferMode, halfBytes,
                                    IsSingleChannel(mode) ? TransferKind::ChannelMean : TransferKind::Mean,
                                    second + channelOffset, base + channelOffset) &&
                    CompensateLevel(wave, RegionOf(wave, base, wave.FramesToBytes(half), mode), peak);
  if (!done) {
    if (preview) DiscardPreview(wave);
    return 0;
  }
  if (preview) {
    // The preview plays the fused first half only.
    wave.PreviewImage().Reallocate(halfBytes);
    wave.PreviewImage().WriteHeader(wave.PcmCopy());
    return last - first + 1;
  }
  progress.Close();
  if (DeleteRange(wave, first + half, first + 2 * half - 1, mode) < 0) return 0;
  return last - first + 1;
}

namespace {

// A crossover that swaps the channels after its range changes everything up to the end.
FrameSpan CrossoverChanges(const DocWaveAudio& wave, const EffectParams& params, uint32_t first, uint32_t last) {
  if (params.param4 == 1 && wave.Frames() > 0) last = std::max(last, wave.Frames() - 1);
  return {first, last};
}

// Fusion removes the second half of its range.
FrameSpan FusionRemoves(uint32_t first, uint32_t processed) {
  return {first + processed / 2, first + 2 * (processed / 2) - 1};
}

}  // namespace

EffectEntry CrossoverEntry() {
  EffectEntry e{effect::kCrossover, "chcross", &CrossoverChannels, 0, {}, "crossover"};
  e.rules.changedFrames = &CrossoverChanges;
  return e;
}

EffectEntry FusionEntry() {
  EffectEntry e{effect::kFusion, "fusion", &CrossfadeHalves, 0, {}};
  e.rules.removedFrames = &FusionRemoves;
  return e;
}

}  // namespace tarkel
