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
// Below this step interval the level changes too often for runs of one level to pay: the
// levels are worked out sample by sample into a block, then applied in one loop.
constexpr int64_t kShortRun = 16;
constexpr uint64_t kLevelBlock = 2048;

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

// Scales samples from..from+count, sample j by levels[j] / total.
template <class L>
void ApplyLevels(const Walk<L>& w, uint64_t from, uint64_t count, const int32_t* levels, int64_t total) {
  if constexpr (L::kSixteen) {
    const float fl = float(total);
    for (uint64_t j = 0; j < count; ++j) w[from + j] = LimitTo16(float(w[from + j]) * float(levels[j]) / fl);
  } else {
    for (uint64_t j = 0; j < count; ++j) w[from + j] = ScaleByte(w[from + j], uint64_t(levels[j]), uint64_t(total));
  }
}

// Scales samples from..from+count, sample j by (m + step x max(j - k0, 0)) / total: the run of a
// ramp whose level moves at every sample, from sample k0 (0 or 1) on. Written so that the moving
// part vectorizes.
template <class L>
void ApplyMovingLevel(const Walk<L>& w, uint64_t from, uint64_t count, int64_t m, int64_t step, int64_t k0,
                      int64_t total) {
  const int32_t level0 = int32_t(m), stepBy = int32_t(step);
  uint64_t j = 0;
  for (; j < count && int64_t(j) <= k0; ++j) {
    if constexpr (L::kSixteen) w[from + j] = LimitTo16(float(w[from + j]) * float(level0) / float(total));
    else w[from + j] = ScaleByte(w[from + j], uint64_t(level0), uint64_t(total));
  }
  // Sample k0 + 1 + t is at level0 + (t + 1) x step.
  const int32_t next = level0 + stepBy;
  if constexpr (L::kSixteen) {
    const float fl = float(total);
    const uint64_t rest = count - j;
    for (uint64_t t = 0; t < rest; ++t)
      w[from + j + t] = LimitTo16(float(w[from + j + t]) * float(next + stepBy * int32_t(t)) / fl);
  } else {
    for (int32_t t = 0; j < count; ++j, ++t)
      w[from + j] = ScaleByte(w[from + j], uint64_t(next + stepBy * t), uint64_t(total));
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
    // A step at every sample (u = 1, the whole fade): the sample that completes the count (k0) is
    // the last at the old level; from there the level moves by one per sample until it is e.
    if (u == 1 && m != e && i < stop) {
      const int64_t k0 = 1 - counter;  // the counter is 0 (first sample) or 1 here
      const uint64_t untilEnd = uint64_t(k0) + uint64_t(m > e ? m - e : e - m);
      const uint64_t n = std::min(untilEnd, stop - i);
      ApplyMovingLevel(w, i, n, m, stepBy, k0, total);
      if (int64_t(n) > k0) m += stepBy * (int64_t(n) - k0);
      if (n > 0) counter = 1;
      i += n;
    }
    // Other short runs: the level of each sample as the rule reads, then the block scaled at once.
    int32_t levels[kLevelBlock];
    while (i < stop && m != e && u < kShortRun) {
      const uint64_t n = std::min(kLevelBlock, stop - i);
      uint64_t k = 0;
      for (; k < n && m != e; ++k) {
        levels[k] = int32_t(m);
        if (counter == u) {
          m += stepBy;
          counter = 0;
        }
        ++counter;
      }
      ApplyLevels(w, i, k, levels, total);
      i += k;
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
