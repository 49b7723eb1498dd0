#pragma once
// The bar meter's record, styles and messages: the wire format between a program and the meter
// library (little-endian, packed exactly as laid out here).
#include <cstddef>
#include <cstdint>

namespace tarkel::controls {

// Window styles the meter reads.
inline constexpr uint32_t MTS_RAISED = 4;        // light grey, raised 4-pixel bevel
inline constexpr uint32_t MTS_SUNKEN = 8;        // light grey, sunken 4-pixel bevel
inline constexpr uint32_t MTS_FLAT = 16;         // light grey, no bevel
inline constexpr uint32_t MTS_GREENSCALE = 32;   // ticks and labels in green
inline constexpr uint32_t MTS_TICKS = 64;        // draw tick marks
inline constexpr uint32_t MTS_VERTICAL = 256;    // the bar runs from bottom to top

// Messages (wParam 0, lParam a pointer as noted).
inline constexpr uint32_t MTM_SETINFO = 1024;   // lParam: METERINFO*; result 0
inline constexpr uint32_t MTM_GETINFO = 1025;   // lParam: 1572-byte buffer; result 0
inline constexpr uint32_t MTM_SETVALUE = 1026;  // lParam: float*; result 0
inline constexpr uint32_t MTM_GETVALUE = 1027;  // lParam: float*; result lParam

inline constexpr int kMeterLabelSlots = 50;
inline constexpr int kMeterLabelSize = 30;
inline constexpr int kMeterColorBands = 5;

struct METERCOLOR {
  float fThreshold;  // fraction of the bar, 0.0 .. 1.0
  uint32_t crColor;  // red in the low byte
};

struct METERINFO {
  uint16_t wNumTics;
  uint16_t wLabelStep;
  uint16_t wLeft;  // dialog units
  uint16_t wTop;
  uint16_t wThickness;
  uint16_t wLength;
  int32_t nSegments;
  float fMinValue;
  float fMaxValue;
  float fValue;
  char szLabels[kMeterLabelSlots][kMeterLabelSize];
  int32_t nColors;
  METERCOLOR Colors[kMeterColorBands];
};

static_assert(sizeof(METERCOLOR) == 8);
static_assert(sizeof(METERINFO) == 1572);
static_assert(offsetof(METERINFO, wLabelStep) == 2);
static_assert(offsetof(METERINFO, wLeft) == 4);
static_assert(offsetof(METERINFO, wTop) == 6);
static_assert(offsetof(METERINFO, wThickness) == 8);
static_assert(offsetof(METERINFO, wLength) == 10);
static_assert(offsetof(METERINFO, nSegments) == 12);
static_assert(offsetof(METERINFO, fMinValue) == 16);
static_assert(offsetof(METERINFO, fMaxValue) == 20);
static_assert(offsetof(METERINFO, fValue) == 24);
static_assert(offsetof(METERINFO, szLabels) == 28);
static_assert(offsetof(METERINFO, nColors) == 1528);
static_assert(offsetof(METERINFO, Colors) == 1532);

}  // namespace tarkel::controls
