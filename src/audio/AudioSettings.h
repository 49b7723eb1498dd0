#pragma once
// The preferences the playback and recording engines read. The shell fills them from the
// settings store ("Generic_Preferences", "Display_Preferences"); the defaults are the store's.
#include <cstdint>

namespace tarkel::audio {

struct AudioSettings {
  uint32_t playBufferSize = 0x100000;    // "PlayBufferSize": bytes per play block
  uint32_t recordBufferSize = 0x100000;  // "RecordBufferSize": bytes per record block
  uint32_t globalTimeSliceMs = 80;       // "GlobalTimeSlice_ms": the main window's timer period
  int32_t showPlayRecMarker = 1;         // "Show_PlayRec_Marker"
  int32_t scrollToPlayRecMarker = 0;     // "ScrollToPlayRecMarker"
  int32_t startEndPlaySeconds = 2;       // "StartEndPlaySeconds": lead-in/lead-out length
  int32_t showPrepareRecordingDlg = 0;   // "ShowPrepareRecordingDlg": ask before recording
};

}  // namespace tarkel::audio
