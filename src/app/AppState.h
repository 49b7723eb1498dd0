#pragma once
// The program-wide values of the shell: the preferences, the SMPTE frame rate, the main window's
// background colour chosen for this run and the registry of custom controls.
#include <QColor>

#include "app/ControlLibraries.h"
#include "app/Preferences.h"

namespace tarkel::app {

inline constexpr int kDefaultFrameRate = 25;

struct AppState {
  Preferences prefs;
  int frameRate = kDefaultFrameRate;  // not persisted
  QColor mainBackground;              // invalid: the style's own
  ControlRegistry controls;
};

}  // namespace tarkel::app
