#pragma once
// The shell's side of sounds read in the background: the read's end is delivered on the UI
// thread, and while the active document is still being read only the commands that leave its
// samples alone can run (files, windows, bars, units, zoom and selection, preferences).
#include "app/CommandTable.h"

namespace tarkel::app {

// Makes background reads deliver their end through the Qt event loop of the UI thread.
void InstallBackgroundReadPoster();

// Whether command `row` may run while the active document is still being read.
bool AllowedWhileLoading(const CommandRow& row);

}  // namespace tarkel::app
