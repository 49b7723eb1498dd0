#include "dialogs/CurveGeometry.h"

#include <algorithm>
#include <cstring>

#include "sound/WaveAudio.h"

namespace tarkel {

namespace {
// The drawing area inside the margins: its last column and row, at least 1.
int Span(int pixels, int margin) { return std::max(pixels - 1 - 2 * margin, 1); }
}  // namespace

int CurveGeometry::XToPixel(int32_t x) const {
  return margin + int(int64_t(x) * Span(pixelWidth, margin) / std::max(curveWidth, 1));
}
int CurveGeometry::YToPixel(int32_t y) const {
  return margin + int(int64_t(y) * Span(pixelHeight, margin) / kCurveHeight);
}

int32_t CurveGeometry::PixelToX(int px) const {
  const int span = Span(pixelWidth, margin);
  const int64_t x = (int64_t(px - margin) * curveWidth + span / 2) / span;
  return int32_t(std::clamp<int64_t>(x, 0, curveWidth));
}
int32_t CurveGeometry::PixelToY(int py) const {
  const int span = Span(pixelHeight, margin);
  const int64_t y = (int64_t(py - margin) * kCurveHeight + span / 2) / span;
  return int32_t(std::clamp<int64_t>(y, 0, kCurveHeight));
}

int32_t CurveGeometry::ReachX(int pixels) const {
  return int32_t(std::max<int64_t>(1, int64_t(pixels) * curveWidth / Span(pixelWidth, margin)));
}
int32_t CurveGeometry::ReachY(int pixels) const {
  return int32_t(std::max<int64_t>(1, int64_t(pixels) * kCurveHeight / Span(pixelHeight, margin)));
}

std::vector<ColumnRange> WaveformColumns(const WaveAudio& wave, uint32_t first, uint32_t last, int columns) {
  std::vector<ColumnRange> out;
  const uint32_t frames = wave.HasData() && wave.BlockAlign() ? wave.DataSize() / wave.BlockAlign() : 0;
  if (columns <= 0 || frames == 0 || first >= frames || last < first) return out;
  last = std::min(last, frames - 1);
  const bool sixteen = wave.BitsPerSample() == 16;
  const uint32_t channels = std::max<uint32_t>(wave.Channels(), 1);
  const uint64_t span = uint64_t(last) - first + 1;
  out.resize(size_t(columns));
  for (int c = 0; c < columns; ++c) {
    const uint64_t from = first + span * uint64_t(c) / uint64_t(columns);
    uint64_t to = first + span * uint64_t(c + 1) / uint64_t(columns);
    if (to <= from) to = from + 1;
    float low = 1, high = -1;
    for (uint64_t f = from; f < to && f <= last; ++f) {
      for (uint32_t ch = 0; ch < channels; ++ch) {
        const uint8_t* at = wave.Data() + f * wave.BlockAlign() + ch * (sixteen ? 2 : 1);
        float v;
        if (sixteen) {
          int16_t s;
          std::memcpy(&s, at, 2);
          v = s / 32768.0f;
        } else {
          v = (int(*at) - 128) / 128.0f;
        }
        low = std::min(low, v);
        high = std::max(high, v);
      }
    }
    out[size_t(c)] = low <= high ? ColumnRange{low, high} : ColumnRange{};
  }
  return out;
}

}  // namespace tarkel
