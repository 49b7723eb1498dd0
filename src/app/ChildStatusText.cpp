#include "app/ChildStatusText.h"

#include "view/TimeFormat.h"

namespace tarkel::app {

std::string DataSizeText(uint64_t bytes) {
  if (bytes <= 9999) return std::to_string(bytes) + "Byte";
  if (bytes > 9999999) return std::to_string(bytes / 1048576) + "MByte";
  return std::to_string(bytes / 1024) + "kByte";
}

std::string PanePositionText(uint32_t n, DisplayUnit unit, int fps, const WaveFormat& format) {
  const uint32_t rate = format.SamplesPerSec();
  if (rate == 0 && unit != DisplayUnit::Samples && unit != DisplayUnit::Bytes && unit != DisplayUnit::Beats) return "0";
  TimeFormat time;
  time.SetFormat(format);
  time.SetFrameRate(uint16_t(fps));
  return time.Format(n, unit);
}

std::array<std::string, kChildPaneCount> ChildPaneTexts(const ChildStatus& s, DisplayUnit unit, int fps) {
  return {
      std::to_string(s.format.SamplesPerSec()) + "Hz",
      s.format.Channels() >= 2 ? "Stereo" : "Mono",
      std::to_string(s.format.BitsPerSample()) + "bit",
      DataSizeText(s.dataBytes),
      PanePositionText(s.position, unit, fps, s.format),
      PanePositionText(s.frames, unit, fps, s.format),
      PanePositionText(s.selectionLength, unit, fps, s.format),
  };
}

}  // namespace tarkel::app
