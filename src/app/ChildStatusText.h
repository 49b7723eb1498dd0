#pragma once
// The texts of a document window's seven status panes and of positions in the display units:
// rate, channels, bits, data size, play position, frame count and selection length.
#include <array>
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

// "9999Byte" up to 9999 bytes, "9MByte" above 9999999 bytes, otherwise the count divided by
// 1024 followed by "kByte".
std::string DataSizeText(uint64_t bytes);

// Frames `n` in display unit `unit` at `fps` frames per second, without the unit's name.
std::string PositionText(uint64_t n, int unit, int fps, const WaveFormat& format);

struct ChildStatus {
  WaveFormat format;
  uint32_t dataBytes = 0;
  uint32_t frames = 0;
  uint32_t position = 0;         // play or record position
  uint32_t selectionLength = 0;  // end - start of the first view's selection
};

inline constexpr int kChildPaneCount = 7;
std::array<std::string, kChildPaneCount> ChildPaneTexts(const ChildStatus& status, int unit, int fps);

}  // namespace tarkel::app
