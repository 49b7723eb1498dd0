#include "samples/LevelRamp.h"

#include <algorithm>
#include <array>

#include "sound/DocWaveAudio.h"
#include "sound/MessageIds.h"
#include "sound/Ports.h"
#include "samples/SampleMath.h"

namespace tarkel {
namespace {

// Runs of one gain this long go through a table of all 256 byte values.
constexpr uint64_t kByteTableRun = 1024;
// Below this step interval the level changes too often for runs of one level to pay.
constexpr int64_t kShortRun = 16;

template <class L>
void ApplyGain(const Walk<L>& w, uint64_t from, uint64_t count, int64_t m, int64_t total) {
  if constexpr (L::kSixteen) {
    const float fm = float(m), fl = float(total);
    for (uint64_t i = from; i < from + count; ++i) w[i] = LimitTo16(float(w[i]) * fm / fl);
  } else if (count >= kByteTableRun) {
    std::array<uint8_t, 256> table;
    for (int b = 0; b < 256; ++b) table[b] = ScaleByte(uint8_t(b), uint64_t(m), uint64_t(total));
    for (uint64_t i = from; i < from + count; ++i) w[i] = table[w[i]];
  } else {
    for (uint64_t i = from; i < from + count; ++i) w[i] = ScaleByte(w[i], uint64_t(m), uint64_t(total));
  }
}

}  // namespace

template <class L>
bool RampLevel(DocWaveAudio& wave, const Walk<L>& w, int32_t startPercent, int32_t endPercent) {
  const int64_t total = int64_t(w.count);
  const int64_t start = std::max(startPercent, 0), end = std::max(endPercent, 0);
  int64_t m = total * start / 100;
  const int64_t e = end == 0 ? 0 : total * end / 100;
  const int64_t d = m > e ? m - e : e - m;
  int64_t u = 1;
  if (d > 1) {
    u = total / d;
    if (u == 1 && total % d != 0) u += 1;
  }
  const int64_t stepBy = e < m ? -1 : 1;

  // Each sample is scaled by the current level; then, when the counter has reached u, the level
  // moves one unit and the counter restarts. Runs of one level are done together.
  int64_t counter = 0;
  return wave.ForEachProgressChunk(w.count, [&](uint64_t off, uint64_t n) {
    uint64_t i = off;
    const uint64_t stop = off + n;
    // Short runs: sample by sample, as the rule reads.
    for (; i < stop && m != e && u < kShortRun; ++i) {
      ApplyGain(w, i, 1, m, total);
      if (counter == u) {
        m += stepBy;
        counter = 0;
      }
      ++counter;
    }
    while (i < stop) {
      if (m == e) {
        ApplyGain(w, i, stop - i, m, total);
        return;
      }
      const uint64_t untilStep = uint64_t(u - counter + 1);
      const uint64_t len = std::min(untilStep, stop - i);
      ApplyGain(w, i, len, m, total);
      i += len;
      if (len == untilStep) {
        m += stepBy;
        counter = 1;
      } else {
        counter += int64_t(len);
      }
    }
  });
}

template bool RampLevel<Stream8>(DocWaveAudio&, const Walk<Stream8>&, int32_t, int32_t);
template bool RampLevel<Stream16>(DocWaveAudio&, const Walk<Stream16>&, int32_t, int32_t);
template bool RampLevel<Channel8>(DocWaveAudio&, const Walk<Channel8>&, int32_t, int32_t);
template bool RampLevel<Channel16>(DocWaveAudio&, const Walk<Channel16>&, int32_t, int32_t);

bool RampLevel(DocWaveAudio& wave, const SampleRegion& region, int32_t startPercent, int32_t endPercent) {
  if (region.bytes == 0) {
    ShowMessage(msg::kNothingSelected);
    return false;
  }
  return WithWalk(region, [&](const auto& walk) { return RampLevel(wave, walk, startPercent, endPercent); });
}

}  // namespace tarkel
