// The push button library: registers the window class "Button" with the program and exports the
// button's message procedure and its notification hook.
#include "controls/button/ButtonControl.h"

using namespace tarkel::controls;

TARKEL_CONTROL_EXPORT int TarkelControlLibraryInit(void* registry, TarkelRegisterControlFn registerControl) {
  return RegisterOneClass(registry, registerControl, "Button", &CreateControl<ButtonControl>);
}

TARKEL_CONTROL_EXPORT intptr_t ButtonWndProc(void* control, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return SendToControl<ButtonControl>(control, message, wParam, lParam);
}

TARKEL_CONTROL_EXPORT void ButtonSetNotify(void* control, TarkelNotifyFn callback, void* context) {
  SetControlNotify<ButtonControl>(control, callback, context);
}
