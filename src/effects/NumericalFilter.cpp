#include "effects/NumericalFilter.h"

#include <cmath>
#include <new>

#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "effects/DriverSupport.h"
#include "effects/EffectIds.h"
#include "effects/EffectTable.h"
#include "effects/Equalizer.h"
#include "effects/RunEffect.h"
#include "effects/SpectralDrivers.h"

namespace tarkel {
namespace {

// The Gaussian design's shape (p3, percent) below this is raised to it.
constexpr int32_t kMinGaussianShape = 2;

// The engine's kernel of id 28: one channel of a 16-bit stereo sound.
bool RunFilterKernel(EffectRun& run) {
  const SampleLane16 lane{run.target, Channel16::kStepBytes};
  return FilterLane(run.wave, run.params, lane, WalkCount<Channel16>(run.byteCount));
}

// The record's real values of the numerical filter, from the edges in Hz and the shape.
void FillFilterValues(EffectParams& p, uint32_t rate) {
  const double r = rate ? double(rate) : 1.0;
  p.real1 = p.param1 / r;
  p.real2 = p.param2 / r;
  p.real3 = (p.real1 + p.real2) / 2.0;
  p.real4 = std::fabs(p.real2 - p.real1);
  p.real5 = std::sqrt(-std::log((100.0 - p.param3 / 2.0) / 100.0));
  p.real6 = p.real4 / p.real5;
}

}  // namespace

std::vector<double> FilterGains(const EffectParams& p, uint32_t blockLength, uint32_t rate) {
  switch (FilterDesign(p.param6)) {
    case FilterDesign::Gaussian: return GaussianGains(blockLength, p.real3, p.real6);
    case FilterDesign::Equalizer:
      return EqualizerGains(blockLength, rate, {p.real1, p.real2, p.real3, p.real4, p.real5});
    case FilterDesign::Band:
    default: return BandGains(blockLength, p.real1, p.real2, p.param3 / 100.0, p.param4 / 100.0);
  }
}

bool FilterLane(DocWaveAudio& wave, const EffectParams& params, const SampleLane16& lane, uint64_t count) {
  const uint32_t block = SupportedBlockLength(params.param5);
  try {
    SpectralBlockFilter filter(block, FilterGains(params, block, wave.Rate()));
    return filter.Run(lane, count, [&wave](uint64_t n) { return wave.ProgressAdvance(n); });
  } catch (const std::bad_alloc&) {
    ShowMessage(msg::kTempMemory);
    return false;
  }
}

uint32_t RunSpectralFilter(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params,
                           const char* caption) {
  const uint32_t frames = last - first + 1;
  const bool preview = params.preview != 0;
  ProgressScope progress(wave);
  if (!progress.Open(frames, mode, caption)) return 0;
  uint8_t* base = WorkingMemory(wave, first, last, preview);
  if (!base) return 0;

  const uint32_t bytes = wave.FramesToBytes(frames);
  bool done = false;
  if (wave.Channels() == 1 && wave.BitsPerSample() == 16) {
    // A mono sound: all of its samples are the one channel.
    done = FilterLane(wave, params, SampleLane16{base, 2}, frames);
  } else if (wave.Channels() == 1) {
    // 8-bit: the engine's one-channel branch shows its text and changes nothing.
    done = RunEffect(wave, ChannelMode::Left, bytes, params, base, base) != 0;
  } else if (mode == ChannelMode::Left || mode == ChannelMode::Right) {
    done = RunEffect(wave, mode, bytes, params, base, base) != 0;
  } else {
    done = RunEffect(wave, ChannelMode::Left, bytes, params, base, base) != 0 &&
           RunEffect(wave, ChannelMode::Right, bytes, params, base, base) != 0;
  }
  if (!done) {
    if (preview) DiscardPreview(wave);
    return 0;
  }
  return frames;
}

uint32_t ApplyNumericalFilter(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode,
                              EffectParams& params) {
  if (!CheckEffectRange(wave, first, last)) return 0;
  params.effectId = effect::kNumericalFilter;
  // The dialog's third mode ("Bandstop") is the band design with the user's two gains; the
  // equalizer's five bands are reached through ApplyEqualizer only.
  if (params.param6 != uint32_t(FilterDesign::Gaussian)) params.param6 = uint32_t(FilterDesign::Band);
  if (params.param6 == uint32_t(FilterDesign::Gaussian) && params.param3 < kMinGaussianShape)
    params.param3 = kMinGaussianShape;
  FillFilterValues(params, wave.Rate());
  return RunSpectralFilter(wave, first, last, mode, params, effect::kFilterCaption);
}

EffectEntry NumericalFilterEntry() {
  EffectEntry e{effect::kNumericalFilter, "filter", &ApplyNumericalFilter, kBranchChannel16, {}};
  e.kernels[int(SampleLayout::Channel16)] = &RunFilterKernel;
  return e;
}

}  // namespace tarkel
