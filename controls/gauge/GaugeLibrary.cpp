// The needle gauge library: registers the window class "Gauge" with the program and exports the
// gauge's message procedure.
#include "controls/gauge/GaugeControl.h"

using namespace tarkel::controls;

TARKEL_CONTROL_EXPORT int TarkelControlLibraryInit(void* registry, TarkelRegisterControlFn registerControl) {
  return RegisterOneClass(registry, registerControl, "Gauge", &CreateControl<GaugeControl>);
}

TARKEL_CONTROL_EXPORT intptr_t GaugeWndProc(void* control, uint32_t message, uintptr_t wParam, intptr_t lParam) {
  return SendToControl<GaugeControl>(control, message, wParam, lParam);
}
