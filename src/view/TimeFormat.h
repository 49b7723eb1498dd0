#pragma once
// Turns frame positions into text in a display unit and text in a display unit back into frames.
// Every intermediate product (frames x 1000, hours x rate, frames x block align) is computed in
// 64 bits, so sounds of many hours convert without overflow.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "view/DisplayUnit.h"

namespace tarkel {

class WaveFormat;

class TimeFormat {
 public:
  TimeFormat() = default;

  // Takes the rate and block align of a sound's format.
  void SetFormat(const WaveFormat& format);
  void SetFormat(uint32_t rate, uint16_t blockAlign);
  void SetFrameRate(uint16_t fps) { fps_ = fps ? fps : kContextFrameRate; }
  uint16_t FrameRate() const { return fps_; }

  // Parses `text` in unit `from` and formats the frame count in unit `to` (with the unit's name
  // when `appendName`). Text that is not a position parses as 0; beats keep the previous value.
  // False, with "n/a" as output, when `to` has no text form (beats).
  bool ConvertPosition(DisplayUnit from, std::string_view text, DisplayUnit to, std::string& out, bool appendName);
  // The frame count the last conversion parsed.
  uint32_t Value() const { return value_; }

  // `frames` as text in `unit`; "n/a" for beats.
  std::string Format(uint32_t frames, DisplayUnit unit, bool appendName = false) const;
  // A position typed in `unit`; nothing when the text is not a well-formed position of that
  // unit, when the unit has no text form, or when the position lies beyond 32-bit frames.
  std::optional<uint32_t> Parse(DisplayUnit unit, std::string_view text) const;

 private:
  uint32_t rate_ = 1;
  uint16_t blockAlign_ = 1;
  uint16_t fps_ = kContextFrameRate;
  uint32_t value_ = 0;
};

// The name appended after a formatted position (" samples", " sec", " (hh:mm:ss.fr)" ...);
// empty for beats.
std::string_view UnitSuffix(DisplayUnit unit);

// Splits "FIRST:LAST" typed in `unit` at the colon that follows a complete first position (for
// SMPTE the colon after the first frame field, otherwise the only colon). Nothing when there is
// no such colon.
std::optional<std::pair<std::string, std::string>> SplitPositionPair(std::string_view text, DisplayUnit unit);

}  // namespace tarkel
