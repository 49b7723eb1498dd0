// The knob control library: registers the window class "Knob" with the program.
#include "controls/ControlLibrary.h"

extern "C" __attribute__((visibility("default"))) int TarkelControlLibraryInit(void* registry,
                                                                               TarkelRegisterControlFn registerControl) {
  if (!registerControl) return 0;
  return registerControl(registry, "Knob", nullptr);
}
