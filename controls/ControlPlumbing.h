#pragma once
// What every control library shares with its owners: the message procedure and notification
// callback types of the exported entry points, colour values as stored in the records, and the
// dialog base units that turn the records' dialog units into pixels. Plain C types only across
// the library boundary.
#include <cstdint>

#ifdef __cplusplus
extern "C" {
#endif

// A control's message procedure: the control (its QWidget*), the message number, wParam and
// lParam as the control's messages define them. Returns the message's result.
typedef intptr_t (*TarkelControlProcFn)(void* control, uint32_t message, uintptr_t wParam, intptr_t lParam);

// A notification to the owner, packed as a command message: wParam holds the control's id in
// the low word and the notification code in the high word, lParam the control (its QWidget*).
typedef void (*TarkelNotifyFn)(void* context, uintptr_t wParam, intptr_t lParam);

#ifdef __cplusplus
}

namespace tarkel::controls {

// The Qt property on a control that holds its id (the dialog control id), read when it notifies.
inline constexpr const char* kControlIdProperty = "controlId";
// The Qt property on a control that holds its window style bits (KNS_..., MTS_...), read when
// it paints.
inline constexpr const char* kControlStyleProperty = "controlStyle";

// wParam of a notification: id in the low word, code in the high word.
inline uintptr_t NotificationParam(int controlId, int code) {
  return (static_cast<uintptr_t>(static_cast<uint16_t>(code)) << 16) | static_cast<uint16_t>(controlId);
}

// A colour value of the records: red in the low byte, then green, then blue.
struct Rgb {
  int red, green, blue;
};
inline Rgb RgbOf(uint32_t colorRef) {
  return {static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
          static_cast<int>((colorRef >> 16) & 0xFF)};
}
inline constexpr uint32_t ColorRef(int red, int green, int blue) {
  return static_cast<uint32_t>(red & 0xFF) | (static_cast<uint32_t>(green & 0xFF) << 8) |
         (static_cast<uint32_t>(blue & 0xFF) << 16);
}

// Dialog base units: the average character width and the character height of the dialog font.
// Horizontal dialog units are base width / 4 pixels, vertical ones base height / 8.
struct DialogBase {
  int width = 6;
  int height = 13;
  int X(int units) const { return units * width / 4; }
  int Y(int units) const { return units * height / 8; }
};

}  // namespace tarkel::controls
#endif
