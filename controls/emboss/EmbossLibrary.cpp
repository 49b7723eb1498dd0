// The three-dimensional styling library: registers the panel class "Emboss" with the program and
// exports the call that gives any widget tree the embossed look.
#include "controls/ControlWidget.h"
#include "controls/emboss/EmbossStyle.h"

using namespace tarkel::controls;

TARKEL_CONTROL_EXPORT int TarkelControlLibraryInit(void* registry, TarkelRegisterControlFn registerControl) {
  return RegisterOneClass(registry, registerControl, "Emboss", &CreateControl<EmbossPanel>);
}

// Gives a widget (a dialog, say) and every control inside it the embossed look.
TARKEL_CONTROL_EXPORT void EmbossWidget(void* widget) { Emboss(static_cast<QWidget*>(widget)); }
