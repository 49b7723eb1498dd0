// The meter control library: registers the window class "Meter" with the program and exports the
// meter's message procedure.
#include "controls/meter/MeterControl.h"

using namespace tarkel::controls;

TARKEL_CONTROL_EXPORT int TarkelControlLibraryInit(void* registry, TarkelRegisterControlFn registerControl) {
  return RegisterOneClass(registry, registerControl, "Meter", &CreateControl<MeterControl>);
}

TARKEL_CONTROL_EXPORT intptr_t MeterWndProc(void* control, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return SendToControl<MeterControl>(control, message, wParam, lParam);
}
