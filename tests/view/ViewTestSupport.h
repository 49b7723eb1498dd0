#pragma once
// Documents filled with known samples and a display-less application for the view's widget tests.
#include <QApplication>
#include <QImage>
#include <cstring>
#include <vector>

#include "document/CTarkelDoc.h"
#include "document/DocumentHooks.h"
#include "document/UndoStore.h"
#include "sound/AppContext.h"
#include "view/DisplayState.h"
#include "view/ViewPreferences.h"

namespace tarkel::test {

// The one application object of the test program, on the offscreen platform.
inline QApplication& OffscreenApp() {
  static int argc = 1;
  static char name[] = "view_widget_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *app;
}

// Fills `doc` with interleaved 16-bit values.
inline void Fill16(CTarkelDoc& doc, uint16_t channels, uint32_t rate, const std::vector<int16_t>& values) {
  DocWaveAudio& sound = doc.Sound();
  sound.Format() = WaveFormat::Pcm(channels, rate, 16);
  sound.RefreshPcmCopy();
  uint8_t* data = sound.AllocateData(uint32_t(values.size() * 2));
  std::memcpy(data, values.data(), values.size() * 2);
}

inline void Fill8(CTarkelDoc& doc, uint16_t channels, uint32_t rate, const std::vector<uint8_t>& values) {
  DocWaveAudio& sound = doc.Sound();
  sound.Format() = WaveFormat::Pcm(channels, rate, 8);
  sound.RefreshPcmCopy();
  uint8_t* data = sound.AllocateData(uint32_t(values.size()));
  std::memcpy(data, values.data(), values.size());
}

inline QRgb Rgb(uint32_t rgb) { return 0xFF000000u | rgb; }

}  // namespace tarkel::test
