#pragma once
// Application-wide values that documents and operations read: the preferences they depend on
// and the few program-wide markers. The shell fills the preferences from the settings store.
#include <cstdint>

namespace tarkel {

class CTarkelDoc;

struct AppContext {
  // Preferences ("Generic_Preferences").
  int32_t hardDiskEditing = 0;                 // "Harddisk_editing"
  int32_t loadInBackground = 0;                // "Load_in_Background"
  int32_t dragDropReplaceMoveWithSilence = 0;  // "DragDropReplaceMoveWithSilence"
  int32_t warningIfNoUndo = 1;                 // "WarningIfNoUndo"
  // The "Save backup of original file" box of the open dialog.
  bool backupOnOpen = false;
  // "Disable Autoconvert": clipboard data is pasted without conversion.
  bool autoConvertDisabled = false;
  // Set to 0x7FFFFFFF by "Paste New" just before it runs New.
  int32_t pasteAsNewMarker = 0;
  // The document whose sound is playing; null when nothing plays.
  CTarkelDoc* playingDocument = nullptr;
};

inline constexpr int32_t kPasteAsNewMarker = 0x7FFFFFFF;

// The one context of the process.
AppContext& App();

}  // namespace tarkel
