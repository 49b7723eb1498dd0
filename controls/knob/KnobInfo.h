#pragma once
// The knob's record, styles, messages and notifications: the wire format between a program and
// the knob library (little-endian, packed exactly as laid out here).
#include <cstddef>
#include <cstdint>

namespace tarkel::controls {

// Window styles the knob reads.
inline constexpr uint32_t KNS_INTEGER = 1;  // dragging rounds the value to a whole number
inline constexpr uint32_t KNS_RAISED = 4;   // raised 3-pixel bevel along the client edge
inline constexpr uint32_t KNS_SUNKEN = 8;   // sunken 3-pixel bevel (when KNS_RAISED is clear)

// Messages (wParam 0, lParam a pointer as noted).
inline constexpr uint32_t KNM_SETINFO = 1024;   // lParam: KNOBINFO*; result 0
inline constexpr uint32_t KNM_GETINFO = 1025;   // lParam: 1536-byte buffer; result 1
inline constexpr uint32_t KNM_SETVALUE = 1026;  // lParam: float*; result 0
inline constexpr uint32_t KNM_GETVALUE = 1027;  // lParam: float*; result lParam

// Notification codes sent to the owner.
inline constexpr int KNN_RELEASED = 0x404;
inline constexpr int KNN_CHANGING = 0x405;

inline constexpr int kKnobLabelSlots = 50;
inline constexpr int kKnobLabelSize = 30;

struct KNOBINFO {
  uint32_t dwReserved1;
  uint16_t wNumTics;
  uint16_t wTicsStart;  // degrees, counter-clockwise from the positive x axis
  uint16_t wTicsEnd;
  uint16_t wLabelStep;
  uint16_t wRadius;  // dialog units
  uint16_t wReserved2;
  float fMinValue;
  float fMaxValue;
  float fValue;
  int32_t nOffsetX;  // dialog units from the client centre
  int32_t nOffsetY;
  char szLabels[kKnobLabelSlots][kKnobLabelSize];
};

static_assert(sizeof(KNOBINFO) == 1536);
static_assert(offsetof(KNOBINFO, wNumTics) == 4);
static_assert(offsetof(KNOBINFO, wTicsStart) == 6);
static_assert(offsetof(KNOBINFO, wTicsEnd) == 8);
static_assert(offsetof(KNOBINFO, wLabelStep) == 10);
static_assert(offsetof(KNOBINFO, wRadius) == 12);
static_assert(offsetof(KNOBINFO, fMinValue) == 16);
static_assert(offsetof(KNOBINFO, fMaxValue) == 20);
static_assert(offsetof(KNOBINFO, fValue) == 24);
static_assert(offsetof(KNOBINFO, nOffsetX) == 28);
static_assert(offsetof(KNOBINFO, nOffsetY) == 32);
static_assert(offsetof(KNOBINFO, szLabels) == 36);

}  // namespace tarkel::controls
