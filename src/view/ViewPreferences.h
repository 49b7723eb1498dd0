#pragma once
// The preferences the waveform view reads. The shell fills them from the settings store at start
// and writes the ones the view's commands toggle back when it closes. Colours are 0xRRGGBB.
#include <cstdint>

namespace tarkel {

struct ViewPreferences {
  // "Display_Preferences"
  uint32_t colorChannel1 = 0x0080FF;        // "Color_channel_1" (light blue)
  uint32_t colorChannel2 = 0xFF0000;        // "Color_channel_2" (red)
  uint32_t colorSelectedArea = 0x00FF00;    // "Color_selected_area" (green)
  uint32_t colorMinMaxPoints = 0xF0FF00;    // "Color_MinMax_points"
  uint32_t colorSampleBackground = 0x000000;  // "Color_sample_background"
  int32_t showMinMaxPoints = 0;             // "Show_MinMax_Points"
  int32_t symmetricDisplay = 1;             // "SymmetricDisplay"
  int32_t integratedDisplay = 1;            // "IntegratedDisplay"
  int32_t showPlayRecMarker = 1;            // "Show_PlayRec_Marker"
  // "Generic_Preferences"
  int32_t scrollToPlayRecMarker = 0;        // "ScrollToPlayRecMarker" (Track View / Draw Line)
  int32_t autoSnapToZero = 1;               // "AutoSnapToZero"
  int32_t dragDropEnable = 1;               // "DragDropEnable"
  int32_t colorScalingMode = 1;             // "ColorScalingMode": 1 logarithmic, 0 linear
  int32_t fftBlockSize = 512;               // "FFT_BlockSize"
};

// The settings store keeps colours with red in the low byte (0x00BBGGRR); these convert.
inline uint32_t RgbFromStoredColor(uint32_t stored) {
  return ((stored & 0xFF) << 16) | (stored & 0xFF00) | ((stored >> 16) & 0xFF);
}
inline uint32_t StoredColorFromRgb(uint32_t rgb) { return RgbFromStoredColor(rgb); }

// The one set of view preferences of the process.
ViewPreferences& TheViewPreferences();

// Where the play or record position of a document comes from; the audio engine installs it.
// Without one the position is 0.
class CTarkelDoc;
struct PlayPositionSource {
  virtual ~PlayPositionSource() = default;
  virtual uint32_t CurrentFrame(const CTarkelDoc& doc) const = 0;
};
void SetPlayPositionSource(const PlayPositionSource* source);
uint32_t CurrentPlayFrame(const CTarkelDoc& doc);

}  // namespace tarkel
