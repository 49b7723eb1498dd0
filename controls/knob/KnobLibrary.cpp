// The knob control library: registers the window class "Knob" with the program and exports the
// knob's message procedure and its notification hook.
#include "controls/knob/KnobControl.h"

using namespace tarkel::controls;

TARKEL_CONTROL_EXPORT int TarkelControlLibraryInit(void* registry, TarkelRegisterControlFn registerControl) {
  return RegisterOneClass(registry, registerControl, "Knob", &CreateControl<KnobControl>);
}

TARKEL_CONTROL_EXPORT intptr_t KnobWndProc(void* control, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return SendToControl<KnobControl>(control, message, wParam, lParam);
}

TARKEL_CONTROL_EXPORT void KnobSetNotify(void* control, TarkelNotifyFn callback, void* context) {
  SetControlNotify<KnobControl>(control, callback, context);
}
