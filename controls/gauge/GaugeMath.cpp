#include "controls/gauge/GaugeMath.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "controls/ControlPlumbing.h"

namespace tarkel::controls {

GAUGEINFO DefaultGaugeInfo() {
  GAUGEINFO info;
  std::memset(&info, 0, sizeof info);
  info.crFace = ColorRef(192, 192, 192);
  info.fMinValue = 0.0f;
  info.fMaxValue = 10.0f;
  return info;
}

void ValidateGaugeInfo(GAUGEINFO& info) {
  info.szCaption1[kGaugeCaptionSize - 1] = 0;
  info.szCaption2[kGaugeCaptionSize - 1] = 0;
  if (!std::isfinite(info.fMinValue)) info.fMinValue = 0.0f;
  if (!std::isfinite(info.fMaxValue)) info.fMaxValue = info.fMinValue;
  if (info.fMaxValue < info.fMinValue) std::swap(info.fMinValue, info.fMaxValue);
  if (info.fMaxValue == info.fMinValue) info.fMaxValue = info.fMinValue + 1.0f;
  if (!std::isfinite(info.fValue)) info.fValue = info.fMinValue;
  info.nZones = std::clamp(info.nZones, 0, kGaugeZones);
}

double GaugeFraction(const GAUGEINFO& info, double value) {
  const double range = static_cast<double>(info.fMaxValue) - info.fMinValue;
  if (!(range > 0.0) || std::isnan(value)) return 0.0;
  return (value - info.fMinValue) / range;
}

double GaugeDegreesOfFraction(double fraction) {
  return kGaugeStartDegrees - fraction * (kGaugeStartDegrees - kGaugeEndDegrees);
}

double GaugeNeedleDegrees(const GAUGEINFO& info, double value) {
  const double fraction = std::clamp(GaugeFraction(info, value), -kGaugeOvershoot, 1.0 + kGaugeOvershoot);
  return GaugeDegreesOfFraction(fraction);
}

GaugeSpan GaugeZoneSpan(const GAUGEINFO& info, int index) {
  if (index < 0 || index >= std::clamp(info.nZones, 0, kGaugeZones)) return {};
  const double from = index == 0 ? 0.0 : GaugeFraction(info, info.Zones[index - 1].fUpTo);
  const double to = GaugeFraction(info, info.Zones[index].fUpTo);
  GaugeSpan span{std::clamp(from, 0.0, 1.0), std::clamp(to, 0.0, 1.0)};
  if (span.toFraction < span.fromFraction) span.toFraction = span.fromFraction;
  return span;
}

}  // namespace tarkel::controls
