#pragma once
// The texts of a document window's seven status panes: rate, channels, bits, data size, play
// position, frame count and selection length.
#include <array>
#include <cstdint>
#include <string>

#include "sound/WaveFormat.h"
#include "view/DisplayUnit.h"

namespace tarkel::app {

// "9999Byte" up to 9999 bytes, "9MByte" above 9999999 bytes, otherwise the count divided by
// 1024 followed by "kByte".
std::string DataSizeText(uint64_t bytes);

struct ChildStatus {
  WaveFormat format;
  uint32_t dataBytes = 0;
  uint32_t frames = 0;
  uint32_t position = 0;         // play or record position
  uint32_t selectionLength = 0;  // end - start of the first view's selection
};

inline constexpr int kChildPaneCount = 7;
// A position in the panes: the display unit's text without its name ("0" without a rate).
std::string PanePositionText(uint32_t frames, DisplayUnit unit, int fps, const WaveFormat& format);
std::array<std::string, kChildPaneCount> ChildPaneTexts(const ChildStatus& status, DisplayUnit unit, int fps);

}  // namespace tarkel::app
