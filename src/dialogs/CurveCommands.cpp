#include "dialogs/CurveCommands.h"

#include <new>

#include "document/CTarkelDoc.h"
#include "effects/DriverSupport.h"
#include "document/EffectCommands.h"
#include "effects/EffectIds.h"
#include "effects/SpectralFilter.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "sound/ProgressScope.h"

namespace tarkel {
namespace {

// Filters frames first..last of a 16-bit sound with per-bin gains, in place or on a preview copy.
uint32_t FilterWithGains(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode,
                         const std::vector<double>& gains, bool preview) {
  if (!CheckEffectRange(wave, first, last, mode)) return 0;
  if (wave.BitsPerSample() != 16) {
    ShowMessage(msg::kNothingSelected);
    return 0;
  }
  const uint32_t frames = last - first + 1;
  ProgressScope progress(wave);
  if (!progress.Open(frames, mode, effect::kFilterCaption)) return 0;
  uint8_t* base = WorkingMemory(wave, first, last, preview);
  if (!base) return 0;

  std::vector<SampleLane16> lanes;
  if (wave.Channels() == 1) lanes.push_back({base, 2});
  if (wave.Channels() == 2 && mode != ChannelMode::Right) lanes.push_back({base, 4});
  if (wave.Channels() == 2 && mode != ChannelMode::Left) lanes.push_back({base + 2, 4});
  bool done = true;
  try {
    SpectralBlockFilter filter(kCurveFilterBlock, gains);
    for (const SampleLane16& lane : lanes)
      if (done) done = filter.Run(lane, frames, [&wave](uint64_t n) { return wave.ProgressAdvance(n); });
  } catch (const std::bad_alloc&) {
    ShowMessage(msg::kTempMemory);
    done = false;
  }
  if (!done) {
    if (preview) DiscardPreview(wave);
    return 0;
  }
  return frames;
}

}  // namespace

double CurveGainAt(double y) { return (kCurveHeight - y) * 2.0 / kCurveHeight; }

std::vector<double> CurveBinGains(const CurveModel& curve, uint32_t blockLength) {
  const uint32_t half = blockLength / 2;
  std::vector<double> gains(half + 1);
  for (uint32_t k = 0; k <= half; ++k) gains[k] = CurveGainAt(curve.HeightAt(double(k) * curve.Width() / half));
  return gains;
}

bool RunEnvelopeCurve(CTarkelDoc& doc, const CurveModel& curve, uint32_t first, uint32_t last, ChannelMode mode,
                      bool preview) {
  EffectRequest request;
  request.operation = EffectOperation::Envelope;
  request.envelopeWidth = curve.Width();
  for (const CPointOb& p : curve.Points()) request.points.push_back({p.x, p.y});
  return preview ? PreviewEffectCommand(doc, request, first, last, mode)
                 : ApplyEffectCommand(doc, request, first, last, mode);
}

bool RunFilterCurve(CTarkelDoc& doc, const CurveModel& curve, uint32_t first, uint32_t last, ChannelMode mode,
                    bool preview) {
  const std::vector<double> gains = CurveBinGains(curve, kCurveFilterBlock);
  if (preview) return FilterWithGains(doc.Sound(), first, last, mode, gains, true) != 0;
  DocWaveAudio& sound = doc.Sound();
  const uint64_t align = sound.BlockAlign();
  const uint64_t size = sound.DataSize();
  const uint32_t start = uint32_t(std::min<uint64_t>(first * align, size));
  const uint32_t end = uint32_t(std::min<uint64_t>((uint64_t(last) + 1) * align, size));
  return doc.RunEdit(UndoRequest::Of(UndoKind::Replacement, start, end), mode, [&](DocWaveAudio& wave) {
    if (FilterWithGains(wave, first, last, mode, gains, false) == 0) return EditOutcome::FailedAfterChange();
    return EditOutcome::Changed(first, last, mode);
  });
}

}  // namespace tarkel
