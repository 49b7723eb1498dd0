#pragma once
// The needle gauge's scale without a display: defaults, validation, the needle's angle, the
// angles each zone covers.
#include "controls/gauge/GaugeInfo.h"

namespace tarkel::controls {

// The scale runs clockwise over the top from kGaugeStartDegrees (minimum) to kGaugeEndDegrees.
inline constexpr double kGaugeStartDegrees = 140.0;
inline constexpr double kGaugeEndDegrees = 40.0;
// How far the needle may swing past either end, as a fraction of the scale, before it pins.
inline constexpr double kGaugeOvershoot = 0.03;

GAUGEINFO DefaultGaugeInfo();
void ValidateGaugeInfo(GAUGEINFO& info);

// `value` as a fraction of the scale (not clamped); 0 for an empty range.
double GaugeFraction(const GAUGEINFO& info, double value);
// Angle of the needle (degrees counter-clockwise from the positive x axis), pinned a little past
// the scale's ends.
double GaugeNeedleDegrees(const GAUGEINFO& info, double value);
// Angle of the point `fraction` of the way along the scale.
double GaugeDegreesOfFraction(double fraction);

struct GaugeSpan {
  double fromFraction = 0, toFraction = 0;
};
// The part of the scale zone `index` covers (empty when it ends before it starts).
GaugeSpan GaugeZoneSpan(const GAUGEINFO& info, int index);

}  // namespace tarkel::controls
