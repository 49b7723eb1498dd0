#pragma once
// The units positions are shown and typed in, and the frame rates of the SMPTE and frame units.
#include <cstdint>
#include <optional>
#include <string_view>

namespace tarkel {

// Codes as stored in the "SampleUnit" setting.
enum class DisplayUnit : int32_t {
  Samples = 0,
  Seconds = 1,
  Milliseconds = 2,
  Beats = 3,
  Bytes = 4,
  Smpte = 5,
  Frames = 6,
};

inline constexpr DisplayUnit kDefaultDisplayUnit = DisplayUnit::Smpte;
// The frame rate every program start begins with.
inline constexpr uint16_t kDefaultFrameRate = 25;
// The frame rate of a fresh conversion context (the time axis keeps it).
inline constexpr uint16_t kContextFrameRate = 30;

// A stored unit code; nothing for a code that names no unit.
std::optional<DisplayUnit> UnitFromCode(int32_t code);

// The rates that can be chosen: 25, 24, 30, 29 (30 drop, counted plainly), 100.
bool IsChoosableFrameRate(uint32_t fps);

// The names the command line knows: samples seconds ms bytes smpte frames.
std::optional<DisplayUnit> UnitFromCommandLineName(std::string_view name);

}  // namespace tarkel
