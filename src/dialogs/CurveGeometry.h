#pragma once
// The maths of the curve editor's window: curve units to pixels and back, and the waveform of
// the selection reduced to one low/high pair per pixel column, drawn under the curve.
#include <cstdint>
#include <vector>

#include "dialogs/CurveModel.h"

namespace tarkel {

class WaveAudio;

struct CurveGeometry {
  int pixelWidth = 1;
  int pixelHeight = 1;
  int32_t curveWidth = kCurveWidth;
  int margin = 0;  // pixels kept free on every side, so that the points at the edges show whole

  int XToPixel(int32_t x) const;
  int YToPixel(int32_t y) const;
  int32_t PixelToX(int px) const;  // clamped into 0..curveWidth
  int32_t PixelToY(int py) const;  // clamped into 0..100
  // How far a click may be from a point, in curve units, for `pixels` pixels of reach.
  int32_t ReachX(int pixels) const;
  int32_t ReachY(int pixels) const;
};

// The lowest and highest sample (-1..1) of frames first..last in each of `columns` columns, all
// channels together. Empty when the sound holds no samples or the range is empty.
struct ColumnRange {
  float low = 0;
  float high = 0;
};
std::vector<ColumnRange> WaveformColumns(const WaveAudio& wave, uint32_t first, uint32_t last, int columns);

}  // namespace tarkel
