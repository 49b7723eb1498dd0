// The graphical envelope: a chain of fades, one per pair of neighbouring points, that share one
// progress window and, for a preview, one growing preview block.
#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cstring>

#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "effects/DriverSupport.h"
#include "effects/EffectDrivers.h"
#include "effects/EffectIds.h"
#include "effects/RunEffect.h"

namespace tarkel {
namespace {

// The segments applied so far in the running envelope operation, and whether its first segment
// opened the progress window. Everything runs on the user-interface thread.
struct EnvelopeState {
  uint32_t calls = 0;
  bool ownsProgress = false;
};
EnvelopeState gEnvelope;

void FinishEnvelope(DocWaveAudio& wave) {
  if (gEnvelope.ownsProgress) wave.EndProgress();
  gEnvelope = {};
}

// Where the segment's samples are worked on: in place, or appended to the preview block.
uint8_t* SegmentMemory(DocWaveAudio& wave, uint32_t first, uint32_t last, bool preview, bool firstCall) {
  if (!preview) return wave.Data() + size_t(first) * wave.BlockAlign();
  if (firstCall) return MakePreviewCopy(wave, first, last);
  WaveImage& image = wave.PreviewImage();
  const uint32_t old = image.DataSize();
  const uint32_t bytes = wave.FramesToBytes(last - first + 1);
  if (image.Empty() || !image.Reallocate(old + bytes)) {
    ShowMessage(msg::kTempMemory);
    return nullptr;
  }
  std::memcpy(image.Data() + old, wave.Data() + size_t(first) * wave.BlockAlign(), bytes);
  image.WriteHeader(wave.PcmCopy());
  return image.Data() + old;
}

// The fade level of a point: its height from the bottom, in percent (y counts from the top).
int32_t LevelOf(const EnvelopePoint& point) {
  return int32_t(std::clamp<int64_t>(100 - int64_t(point.y), INT32_MIN, INT32_MAX));
}

}  // namespace

uint32_t ApplyEnvelope(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, EffectParams& params) {
  const bool firstCall = gEnvelope.calls == 0;
  const uint32_t segments = params.param3 < 1 ? 1 : uint32_t(params.param3);
  const uint32_t frames = wave.HasData() ? wave.BytesToFrames(wave.DataSize()) : 0;
  if (last >= frames) last = frames ? frames - 1 : 0;
  if (!wave.HasData() || first > last) {
    ShowMessage(msg::kNothingSelected);
    FinishEnvelope(wave);
    return 0;
  }
  if (firstCall && !wave.ProgressActive()) {
    if (!wave.BeginProgress(frames, mode, effect::kEnvelopeCaption)) return 0;
    gEnvelope.ownsProgress = true;
  }
  ++gEnvelope.calls;
  const bool preview = params.preview != 0;
  uint8_t* base = SegmentMemory(wave, first, last, preview, firstCall);
  EffectParams fade(effect::kFade, params.param1, params.param2);
  if (!base || RunEffect(wave, mode, wave.FramesToBytes(last - first + 1), fade, base, base) == 0) {
    if (preview) DiscardPreview(wave);
    FinishEnvelope(wave);
    return 0;
  }
  if (gEnvelope.calls >= segments) FinishEnvelope(wave);
  return last - first + 1;
}

uint32_t ApplyEnvelopePoints(DocWaveAudio& wave, uint32_t first, uint32_t last, ChannelMode mode, int32_t width,
                             const std::vector<EnvelopePoint>& points, bool preview) {
  if (!CheckEffectRange(wave, first, last, mode)) return 0;
  if (points.size() < 2 || width <= 0) return last - first + 1;
  std::vector<EnvelopePoint> sorted = points;
  std::stable_sort(sorted.begin(), sorted.end(), [](auto& a, auto& b) { return a.x < b.x; });
  const double length = double(last - first + 1);
  auto frameAt = [&](int32_t x) {
    const int64_t offset = int64_t(std::trunc(length * std::clamp(x, 0, width) / width));
    return uint32_t(std::min<int64_t>(first + offset, last));
  };

  // Neighbouring segments do not share their boundary frame, so no frame is faded twice.
  struct Segment {
    uint32_t first, last;
    int32_t from, to;
  };
  std::vector<Segment> segments;
  int64_t next = first;
  for (size_t i = 1; i < sorted.size(); ++i) {
    const uint32_t end = frameAt(sorted[i].x);
    if (int64_t(end) < next) continue;
    segments.push_back({uint32_t(next), end, LevelOf(sorted[i - 1]), LevelOf(sorted[i])});
    next = int64_t(end) + 1;
  }
  for (const Segment& s : segments) {
    EffectParams p(effect::kFade, s.from, s.to, int32_t(segments.size()));
    p.preview = preview;
    if (ApplyEnvelope(wave, s.first, s.last, mode, p) == 0) return 0;
  }
  return last - first + 1;
}

}  // namespace tarkel
