#include "controls/meter/MeterMath.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tarkel::controls {

METERINFO DefaultMeterInfo() {
  METERINFO info;
  std::memset(&info, 0, sizeof info);
  info.wNumTics = 11;
  info.wLabelStep = 2;
  info.wLeft = 50;
  info.wTop = 20;
  info.wThickness = 20;
  info.wLength = 100;
  info.nSegments = 10;
  info.fMinValue = 0.0f;
  info.fMaxValue = 20.0f;
  info.fValue = 10.0f;
  return info;
}

void ValidateMeterInfo(METERINFO& info) {
  if (static_cast<int>(info.wNumTics) - 1 < static_cast<int>(info.wLabelStep))
    info.wLabelStep = static_cast<uint16_t>(info.wNumTics - 1);
  if (info.fValue > info.fMaxValue) info.fValue = info.fMaxValue;
  if (info.fValue < info.fMinValue) info.fValue = info.fMinValue;
  if (info.nColors > kMeterColorBands) info.nColors = kMeterColorBands;
  // A negative band count uses no bands.
  if (info.nColors < 0) info.nColors = 0;
  for (int band = 0; band < info.nColors; ++band) {
    float& threshold = info.Colors[band].fThreshold;
    threshold = std::isnan(threshold) ? 0.0f : std::clamp(threshold, 0.0f, 1.0f);
  }
  // A label step of 0 names no tick after the first: every tick is labelled instead.
  if (info.wLabelStep == 0) info.wLabelStep = 1;
}

PixelRect MeterBarRect(const METERINFO& info, const DialogBase& base, bool vertical) {
  PixelRect bar;
  bar.left = base.X(info.wLeft);
  bar.top = base.Y(info.wTop);
  bar.width = vertical ? base.X(info.wThickness) : base.X(info.wLength);
  bar.height = vertical ? base.Y(info.wLength) : base.Y(info.wThickness);
  return bar;
}

int MeterScaleLength(const METERINFO& info, const DialogBase& base) { return base.Y(info.wLength); }

int MeterSegmentLength(const METERINFO& info, int scaleLength) {
  const int64_t n = info.nSegments;
  if (n <= 0) return 0;
  const int64_t length = (scaleLength - 5 * (n - 1)) / n;
  return length > 0 ? static_cast<int>(length) : 0;
}

int MeterSegmentEnd(int index, int segmentLength) { return (index + 1) * segmentLength + 5 * index; }

double MeterValueFraction(const METERINFO& info, float value) {
  const double range = static_cast<double>(info.fMaxValue) - info.fMinValue;
  if (range == 0.0 || std::isnan(value)) return value >= info.fMaxValue ? 1.0 : 0.0;
  return (static_cast<double>(value) - info.fMinValue) / range;
}

bool MeterSegmentLit(const METERINFO& info, double positionFraction, float value) {
  return positionFraction <= MeterValueFraction(info, value);
}

uint32_t MeterSegmentColor(const METERINFO& info, double positionFraction) {
  const int bands = std::clamp(info.nColors, 0, kMeterColorBands);
  if (bands == 0) return ColorRef(0, 255, 0);
  for (int band = bands - 1; band >= 0; --band)
    if (info.Colors[band].fThreshold < positionFraction) return info.Colors[band].crColor;
  return info.Colors[0].crColor;
}

int MeterTickSpacing(const METERINFO& info, int scaleLength) {
  if (info.wNumTics < 2) return 0;
  return scaleLength / (info.wNumTics - 1);
}

}  // namespace tarkel::controls
