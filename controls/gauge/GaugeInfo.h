#pragma once
// The needle gauge's record and messages: the wire format between a program and the gauge
// library (little-endian, packed exactly as laid out here). The record carries the scale, its
// coloured zones, the face colour and two captions written under the needle's pivot.
#include <cstddef>
#include <cstdint>

namespace tarkel::controls {

// Messages (wParam 0, lParam a pointer as noted).
inline constexpr uint32_t GGM_GETINFO = 1024;   // lParam: GAUGEINFO-sized buffer; result 1
inline constexpr uint32_t GGM_SETINFO = 1025;   // lParam: GAUGEINFO*; result 0
inline constexpr uint32_t GGM_SETVALUE = 1026;  // lParam: float*; result 0
inline constexpr uint32_t GGM_GETVALUE = 1027;  // lParam: float*; result lParam

inline constexpr int kGaugeCaptionSize = 30;
inline constexpr int kGaugeZones = 5;

struct GAUGEZONE {
  float fUpTo;       // the zone runs from the previous zone's end (or the minimum) up to this value
  uint32_t crColor;  // red in the low byte
};

struct GAUGEINFO {
  char szCaption1[kGaugeCaptionSize];  // zero-terminated
  char szCaption2[kGaugeCaptionSize];
  uint32_t crFace;
  float fMinValue;
  float fMaxValue;
  float fValue;
  int32_t nZones;  // 0 to 5
  GAUGEZONE Zones[kGaugeZones];
};

static_assert(sizeof(GAUGEINFO) == 120);
static_assert(offsetof(GAUGEINFO, szCaption2) == 30);
static_assert(offsetof(GAUGEINFO, crFace) == 60);
static_assert(offsetof(GAUGEINFO, fMinValue) == 64);
static_assert(offsetof(GAUGEINFO, fValue) == 72);
static_assert(offsetof(GAUGEINFO, nZones) == 76);
static_assert(offsetof(GAUGEINFO, Zones) == 80);

}  // namespace tarkel::controls
