#include "app/ChildStatusText.h"

namespace tarkel::app {

std::string DataSizeText(uint64_t bytes) {
  if (bytes <= 9999) return std::to_string(bytes) + "Byte";
  if (bytes > 9999999) return std::to_string(bytes / 1048576) + "MByte";
  return std::to_string(bytes / 1024) + "kByte";
}

std::array<std::string, kChildPaneCount> ChildPaneTexts(const ChildStatus& s, int unit, int fps) {
  return {
      std::to_string(s.format.SamplesPerSec()) + "Hz",
      s.format.Channels() >= 2 ? "Stereo" : "Mono",
      std::to_string(s.format.BitsPerSample()) + "bit",
      DataSizeText(s.dataBytes),
      PositionText(s.position, unit, fps, s.format),
      PositionText(s.frames, unit, fps, s.format),
      PositionText(s.selectionLength, unit, fps, s.format),
  };
}

}  // namespace tarkel::app
