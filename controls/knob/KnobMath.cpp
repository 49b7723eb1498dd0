#include "controls/knob/KnobMath.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace tarkel::controls {
namespace {

int PositiveMod360(int degrees) { return ((degrees % 360) + 360) % 360; }

}  // namespace

KNOBINFO DefaultKnobInfo() {
  KNOBINFO info;
  std::memset(&info, 0, sizeof info);
  info.dwReserved1 = 1;
  info.wNumTics = 11;
  info.wTicsStart = 225;
  info.wTicsEnd = 335;
  info.wLabelStep = 2;
  info.wRadius = 50;
  info.fMinValue = 0.0f;
  info.fMaxValue = 4.0f;
  info.fValue = 0.0f;
  for (int slot = 0; slot < kKnobLabelSlots - 1; ++slot)
    std::snprintf(info.szLabels[slot], kKnobLabelSize, "%d", slot);
  return info;
}

std::vector<std::string> ValidateKnobInfo(KNOBINFO& info) {
  std::vector<std::string> notes;
  if (static_cast<int>(info.wNumTics) - 1 < static_cast<int>(info.wLabelStep))
    info.wLabelStep = static_cast<uint16_t>(info.wNumTics - 1);
  if (info.wTicsStart > 360) info.wTicsStart = static_cast<uint16_t>((info.wTicsStart - 1) % 360 + 1);
  if (info.wTicsEnd > 360) info.wTicsEnd = static_cast<uint16_t>((info.wTicsEnd - 1) % 360 + 1);
  // A range or value that is not a number would put every angle out of reach.
  if (!std::isfinite(info.fMinValue)) info.fMinValue = 0.0f;
  if (!std::isfinite(info.fMaxValue)) info.fMaxValue = info.fMinValue;
  if (!std::isfinite(info.fValue)) info.fValue = info.fMinValue;
  if (info.fValue > info.fMaxValue) info.fValue = info.fMaxValue;
  if (info.fValue < info.fMinValue) info.fValue = info.fMinValue;
  // 0 and 360 are the same direction: such a scale would have no sweep.
  if (info.wTicsEnd % 360 == info.wTicsStart % 360) {
    notes.push_back(
        "In Knob.DLL, (wTicsEnd mod 360)==(wTicsStart mod 360). Changing to wTicsEnd =90,wTicsStart=0\n");
    info.wTicsEnd = 90;
    info.wTicsStart = 0;
  }
  if (info.wNumTics < 2) {
    notes.push_back("In Knob.DLL, wNumTics <2.  Changing to wNumTics = 2\n");
    info.wNumTics = 2;
  }
  if (info.fMaxValue == info.fMinValue) {
    notes.push_back("In Knob.DLL, fMaxValue == fMinValue.\n");
    if (info.fMaxValue < info.fValue)
      info.fMaxValue = info.fValue;
    else if (info.fValue < info.fMinValue)
      info.fMinValue = info.fValue;
    else {
      info.fMinValue = 0.0f;
      info.fMaxValue = 10.0f;
    }
  }
  // A label step of 0 names no tick; one beyond the last tick (left by a tick count that was
  // corrected above) labels only the first.
  if (info.wLabelStep == 0 || info.wLabelStep > info.wNumTics - 1) info.wLabelStep = 1;
  return notes;
}

int KnobSweep(const KNOBINFO& info) {
  int sweep = static_cast<int>(info.wTicsStart) - static_cast<int>(info.wTicsEnd);
  if (info.wTicsStart < info.wTicsEnd) sweep += 360;
  return sweep;
}

double KnobAngleOfValue(const KNOBINFO& info, double value) {
  const double range = static_cast<double>(info.fMaxValue) - info.fMinValue;
  if (range == 0.0) return info.wTicsStart;
  return info.wTicsStart - (value - info.fMinValue) / range * KnobSweep(info);
}

double KnobTickAngle(const KNOBINFO& info, int index) {
  const int intervals = info.wNumTics > 1 ? info.wNumTics - 1 : 1;
  return info.wTicsStart - static_cast<double>(KnobSweep(info)) / intervals * index;
}

bool KnobTickIsLong(const KNOBINFO& info, int index) {
  return info.wLabelStep != 0 && index % info.wLabelStep == 0;
}

double KnobMouseAngle(double dx, double dy) {
  double degrees = std::atan2(-dy, dx) * kDegreesPerRadian;
  if (degrees < 0.0) degrees += 360.0;
  if (degrees >= 360.0) degrees -= 360.0;
  return degrees;
}

float KnobValueOfAngle(const KNOBINFO& info, double degrees, bool integerStyle) {
  const int sweep = KnobSweep(info);
  const double start = info.wTicsStart;
  const double distance = start >= degrees ? start - degrees : 360.0 - degrees + start;
  double value = sweep != 0 ? distance * (static_cast<double>(info.fMaxValue) - info.fMinValue) / sweep + info.fMinValue
                            : info.fMinValue;
  if (value > info.fMaxValue) {
    const int whole = static_cast<int>(degrees);
    const bool nearerEnd =
        PositiveMod360(info.wTicsEnd - whole) < PositiveMod360(whole - static_cast<int>(info.wTicsStart));
    value = nearerEnd ? info.fMaxValue : info.fMinValue;
  }
  const float result = static_cast<float>(value);
  return integerStyle ? KnobRoundToInteger(result) : result;
}

float KnobRoundToInteger(float value) {
  const float whole = std::trunc(value);
  return value + 0.5f >= whole + 1.0f ? whole + 1.0f : whole;
}

}  // namespace tarkel::controls
