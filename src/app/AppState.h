#pragma once
// The program-wide values of the shell: the preferences, the main window's background colour
// chosen for this run and the registry of custom controls. (The display unit and frame rate are
// the display state's.)
#include <QColor>

#include "app/ControlLibraries.h"
#include "app/Preferences.h"

namespace tarkel::app {

struct AppState {
  Preferences prefs;
  QColor mainBackground;              // invalid: the style's own
  ControlRegistry controls;
};

}  // namespace tarkel::app
