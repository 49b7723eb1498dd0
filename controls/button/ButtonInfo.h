#pragma once
// The push button's styles, messages and notification: the interface between a program and the
// button library.
#include <cstdint>

namespace tarkel::controls {

// Window style: a click latches the button down, the next click releases it.
inline constexpr uint32_t BTS_TOGGLE = 1;

inline constexpr uint32_t BTM_SETTEXT = 1024;   // lParam: zero-terminated UTF-8 text; result 0
inline constexpr uint32_t BTM_SETSTATE = 1025;  // wParam: 1 down, 0 up; result 0
inline constexpr uint32_t BTM_GETSTATE = 1026;  // result: 1 down, 0 up

// Notification code: the button was clicked (released over it, or Space or Enter).
inline constexpr int BTN_CLICKED = 0;

}  // namespace tarkel::controls
