#pragma once
// Positions in the display units: frames shown as samples, seconds, milliseconds, bytes, SMPTE
// time or video frames, and text in a unit read back as frames.
#include <cstdint>
#include <string>

#include "sound/WaveFormat.h"

namespace tarkel::app {

// Display unit codes, persisted as "SampleUnit".
enum DisplayUnit : int {
  kDisplaySamples = 0,
  kDisplaySeconds = 1,
  kDisplayMilliseconds = 2,
  kDisplayBeats = 3,
  kDisplayBytes = 4,
  kDisplaySmpte = 5,
  kDisplayFrames = 6,
};
inline constexpr int kDisplayUnitCount = 7;

// The unit's menu name ("S&amples", ...) without its mnemonic.
const char* DisplayUnitName(int unit);

// Frames `n` in display unit `unit` at `fps` frames per second, without the unit's name.
std::string PositionText(uint64_t n, int unit, int fps, const WaveFormat& format);

// `text` in display unit `unit` as frames (text that is no number reads as 0; beats keep
// `previous`). Limited to 32 bits.
uint32_t ParsePosition(const std::string& text, int unit, int fps, const WaveFormat& format, uint32_t previous);

}  // namespace tarkel::app
