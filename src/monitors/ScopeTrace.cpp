#include "monitors/ScopeTrace.h"

#include <algorithm>

namespace tarkel {

uint32_t ScopeSpanFrames(uint32_t rate) { return std::max<uint32_t>(2, rate / kScopeSpanDivisor); }

void TraceScope(const SampleBlock& sound, int64_t firstFrame, uint32_t frames, uint16_t channel, int columns,
                bool highQuality, std::vector<ScopeColumn>& out) {
  out.assign(std::max(columns, 0), ScopeColumn{});
  if (columns <= 0 || frames == 0) return;
  for (int column = 0; column < columns; ++column) {
    const int64_t begin = firstFrame + static_cast<int64_t>(frames) * column / columns;
    int64_t end = firstFrame + static_cast<int64_t>(frames) * (column + 1) / columns;
    if (end <= begin || !highQuality) end = begin + 1;
    double low = NormalizedSample(sound, begin, channel), high = low;
    for (int64_t frame = begin + 1; frame < end; ++frame) {
      const double value = NormalizedSample(sound, frame, channel);
      low = std::min(low, value);
      high = std::max(high, value);
    }
    out[column] = {static_cast<float>(low), static_cast<float>(high)};
  }
}

}  // namespace tarkel
