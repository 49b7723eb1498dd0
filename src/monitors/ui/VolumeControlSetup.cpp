#include "monitors/ui/VolumeControlSetup.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "controls/ControlPlumbing.h"

namespace tarkel::ui {

using namespace tarkel::controls;

METERINFO LevelMeterInfo() {
  METERINFO info;
  std::memset(&info, 0, sizeof info);
  info.wNumTics = 0;
  info.wLabelStep = 1;
  info.wLeft = 3;
  info.wTop = 3;
  info.wThickness = 8;
  info.wLength = 116;
  info.nSegments = 25;
  info.fMinValue = 0.0f;
  info.fMaxValue = 8.5f;
  info.fValue = 0.0f;
  info.nColors = 3;
  info.Colors[0] = {0.0f, 0x00FF00};
  info.Colors[1] = {0.56f, 0x00FFFF};
  info.Colors[2] = {0.78f, 0x0000FF};
  return info;
}

KNOBINFO VolumeKnobInfo(uint16_t volume) {
  KNOBINFO info;
  std::memset(&info, 0, sizeof info);
  info.dwReserved1 = 1;
  info.wNumTics = 10;
  info.wTicsStart = 225;
  info.wTicsEnd = 315;
  info.wLabelStep = 1;
  info.wRadius = 8;
  info.fMinValue = 0.0f;
  info.fMaxValue = 65535.0f;
  info.fValue = volume;
  info.nOffsetX = 0;
  info.nOffsetY = 3;
  for (int slot = 0; slot < 10; ++slot) std::snprintf(info.szLabels[slot], kKnobLabelSize, "%d", slot + 1);
  return info;
}

GAUGEINFO LevelGaugeInfo() {
  GAUGEINFO info;
  std::memset(&info, 0, sizeof info);
  std::strcpy(info.szCaption1, "VU-");
  std::strcpy(info.szCaption2, "Meter");
  info.crFace = 0xC0C0C0;
  info.fMinValue = 0.0f;
  info.fMaxValue = 8.5f;
  info.fValue = 0.0f;
  info.nZones = 3;
  info.Zones[0] = {5.0f, 0x008000};
  info.Zones[1] = {7.5f, 0x00FFFF};
  info.Zones[2] = {8.5f, 0x000080};
  return info;
}

uint16_t VolumeWordOf(float knobValue) {
  if (!(knobValue > 0.0f)) return 0;
  if (knobValue >= 65535.0f) return 65535;
  return static_cast<uint16_t>(knobValue);
}

}  // namespace tarkel::ui
