#include "view/DisplayUnit.h"

namespace tarkel {

std::optional<DisplayUnit> UnitFromCode(int32_t code) {
  if (code < int32_t(DisplayUnit::Samples) || code > int32_t(DisplayUnit::Frames)) return std::nullopt;
  return DisplayUnit(code);
}

bool IsChoosableFrameRate(uint32_t fps) { return fps == 25 || fps == 24 || fps == 30 || fps == 29 || fps == 100; }

std::optional<DisplayUnit> UnitFromCommandLineName(std::string_view name) {
  if (name == "samples") return DisplayUnit::Samples;
  if (name == "seconds") return DisplayUnit::Seconds;
  if (name == "ms") return DisplayUnit::Milliseconds;
  if (name == "bytes") return DisplayUnit::Bytes;
  if (name == "smpte") return DisplayUnit::Smpte;
  if (name == "frames") return DisplayUnit::Frames;
  return std::nullopt;
}

}  // namespace tarkel
