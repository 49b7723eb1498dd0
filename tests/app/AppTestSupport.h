#pragma once
// Helpers of the desktop program's tests: a clean settings store, documents made in memory with
// a given format and length, and a main frame with its program-wide state.
#include <memory>

#include "app/AppState.h"
#include "app/CMainFrame.h"
#include "document/CTarkelDoc.h"

namespace tarkel::test {

// Empties QSettings("Brannick", "Tarkel").
void ClearSettings();

// A document holding `frames` frames of `format`, every sample byte `fill`, titled `title`.
std::unique_ptr<CTarkelDoc> MakeDocument(const WaveFormat& format, uint32_t frames, uint8_t fill = 0,
                                         const std::string& title = "song.wav");

// The program-wide state and a main frame over it (not shown).
struct FrameFixture {
  FrameFixture();
  app::AppState state;
  std::unique_ptr<app::CMainFrame> frame;
};

}  // namespace tarkel::test
