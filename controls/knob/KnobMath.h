#pragma once
// The knob's geometry and value rules without a display: defaults, validation of a record, the
// angle of a value, the value of a mouse angle, whole-number rounding.
#include <string>
#include <vector>

#include "controls/knob/KnobInfo.h"

namespace tarkel::controls {

// Degrees per radian, used in both directions so that drawing and mouse input agree.
inline constexpr double kDegreesPerRadian = 57.29578;

KNOBINFO DefaultKnobInfo();

// Corrects an inconsistent record in place; returns the debug texts of the corrections made.
std::vector<std::string> ValidateKnobInfo(KNOBINFO& info);

// Clockwise sweep of the scale from wTicsStart to wTicsEnd, in degrees (1 to 360 after
// validation).
int KnobSweep(const KNOBINFO& info);

// Angle (degrees, counter-clockwise) at which `value` lies on the scale; values outside the
// range lie beyond its ends.
double KnobAngleOfValue(const KNOBINFO& info, double value);

// Angle of tick `index` (0 .. wNumTics - 1).
double KnobTickAngle(const KNOBINFO& info, int index);

// Whether tick `index` is long and labelled.
bool KnobTickIsLong(const KNOBINFO& info, int index);

// Angle of the point (dx, dy) from the knob centre (screen y grows downwards): 0 to below 360.
double KnobMouseAngle(double dx, double dy);

// The value of the mouse angle `degrees`: the clockwise distance from wTicsStart scaled to the
// range; in the gap between the scale's ends the nearer end; rounded with KNS_INTEGER.
float KnobValueOfAngle(const KNOBINFO& info, double degrees, bool integerStyle);

// The whole-number rounding of KNS_INTEGER: k + 1 when value + 0.5 reaches k + 1, else k, k
// being the value truncated towards zero.
float KnobRoundToInteger(float value);

}  // namespace tarkel::controls
